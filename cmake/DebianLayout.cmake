# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged install tree, just
# before the Debian package is made: Debian wants the manual pages and the
# changelog gzipped without a time stamp (gzip -9n, so that two builds give
# the same bytes) and the licence in doc/quorvale/copyright, not as a
# separate LICENSE file. The program, already stripped, also loses the
# compiler's .comment and .note sections, which are of no use to anyone.

if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(stage ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(docdir ${stage}/share/doc/quorvale)

file(REMOVE ${docdir}/LICENSE)
set(sources ${CMAKE_CURRENT_LIST_DIR}/../packaging/deb)
file(COPY ${sources}/copyright ${sources}/changelog DESTINATION ${docdir}
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

foreach(file ${stage}/share/man/man1/quorvale.1 ${stage}/share/man/ru/man1/quorvale.1 ${docdir}/changelog)
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

execute_process(COMMAND ${CPACK_QUORVALE_STRIP} --remove-section=.comment --remove-section=.note ${stage}/bin/quorvale
                COMMAND_ERROR_IS_FATAL ANY)
