# The Debian package, built with `cpack -G DEB` in a build tree; scripts/check-package.sh
# builds and checks it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Dorvek")
set(CPACK_PACKAGE_CONTACT "Dorvek <dorvek@dorvek.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "standard normal probability calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Dorvek Olasılıklar is a single-window calculator for the standard normal\n\
distribution: type two bounds on the bell curve, click Sonuç, and read the\n\
probability between them, computed by the trapezoid rule. Turkish interface.\n\
Includes dorvek-calc, the same computation from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DORVEK_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/strip_programs.cmake)
# The same package from the same sources: times from SOURCE_DATE_EPOCH (the last commit
# unless the caller sets it), directories made with the same modes whatever the umask.
set(CPACK_DORVEK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_source_date.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${DORVEK_HOMEPAGE})
# The Qt 6 runtime libraries come from dpkg-shlibdeps; the fonts the window and the
# picture rely on, and Qt's own Turkish texts, are named here, since no library links them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
include(CPack)
