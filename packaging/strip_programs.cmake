# Run by cpack on its staging tree before it packs it: strips the programs as Debian's
# own packaging does, which also drops the compiler's .comment and .note sections that
# a plain strip keeps.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_DORVEK_STRIP} --remove-section=.comment --remove-section=.note
                          ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
