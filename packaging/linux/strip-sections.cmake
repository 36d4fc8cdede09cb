# Run by CPack on the staged package, after it has stripped the symbols: drops
# the sections that only record compiler versions and build notes, as Debian's
# dh_strip does.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
foreach(program IN LISTS programs)
    execute_process(
        COMMAND ${CPACK_TARROWIN_STRIP} --remove-section=.comment --remove-section=.note ${program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
