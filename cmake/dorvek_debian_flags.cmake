# The flags Debian builds its own packages with, as dpkg-buildflags gives them on the
# release this runs on with every hardening feature on: fortified libc calls, stack
# protector, read-only relocations bound at start, and build paths mapped out of the
# objects. They go to optimised builds only (dorvek_target_defaults() applies them):
# _FORTIFY_SOURCE needs optimisation, and the sanitizer build checks what it would hide.
#
# Sets DORVEK_DEBIAN_COMPILE_FLAGS and DORVEK_DEBIAN_LINK_FLAGS, empty where they do not
# apply: turned off, sanitized, not a native Linux build with g++ or clang (a mingw
# build for Windows, say), or no dpkg-buildflags.

set(DORVEK_DEBIAN_COMPILE_FLAGS)
set(DORVEK_DEBIAN_LINK_FLAGS)

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DORVEK_DEBIAN_FLAGS
   OR DORVEK_SANITIZE
   OR DORVEK_FUZZ
   OR CMAKE_CROSSCOMPILING
   OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux"
   OR NOT CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$"
   OR NOT DPKG_BUILDFLAGS)
  return()
endif()

function(dorvek_dpkg_buildflags variable output)
  # Run from the source tree, so that its path is the one dpkg-buildflags maps to ".".
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${variable}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # The build type chooses the optimisation level and the debug information.
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g[0-9]*)$")
  set(${output} ${flags} PARENT_SCOPE)
endfunction()

dorvek_dpkg_buildflags(CPPFLAGS preprocessor_flags)
dorvek_dpkg_buildflags(CXXFLAGS compiler_flags)
dorvek_dpkg_buildflags(LDFLAGS linker_flags)
set(DORVEK_DEBIAN_COMPILE_FLAGS ${preprocessor_flags} ${compiler_flags})
# A build tree outside the sources is mapped too, after the source tree's mapping so that
# it wins for the build tree's own files (moc's, say) wherever the two nest.
if(compiler_flags MATCHES "-ffile-prefix-map=")
  list(APPEND DORVEK_DEBIAN_COMPILE_FLAGS -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
set(DORVEK_DEBIAN_LINK_FLAGS ${linker_flags})
list(JOIN DORVEK_DEBIAN_COMPILE_FLAGS " " compile_flags)
list(JOIN DORVEK_DEBIAN_LINK_FLAGS " " link_flags)
message(STATUS "Debian's build flags for optimised builds: ${compile_flags} ${link_flags}")
