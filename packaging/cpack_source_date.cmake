# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): every time in the package,
# its files', its archives' and their headers', is SOURCE_DATE_EPOCH, as Debian's
# reproducible builds ask. Where the caller has not set it, it is the time of the last
# commit, or of the changelog's last entry in sources that are no git clone.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(
    COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CPACK_DORVEK_SOURCE_DIR}
    OUTPUT_VARIABLE epoch
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    execute_process(
      COMMAND dpkg-parsechangelog -l ${CPACK_DORVEK_SOURCE_DIR}/packaging/debian/changelog
              -S Timestamp
      OUTPUT_VARIABLE epoch
      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
