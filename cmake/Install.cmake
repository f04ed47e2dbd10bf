# Where `cmake --install` puts the program and its documents.
#
# On Linux and other Unix-like systems the usual places under the prefix:
#   bin/quorvale
#   share/man/man1/quorvale.1       the manual page in English
#   share/man/ru/man1/quorvale.1    the same page in Russian
#   share/doc/quorvale/             README.md and LICENSE
#   share/bash-completion/completions/quorvale
#                                   the completion of commands and options
# On Windows one flat folder: quorvale.exe, README.txt and LICENSE.txt, the
# text files with CRLF line ends for the plainest Windows text viewers.

include(GNUInstallDirs)

# The manual pages are written by hand and name the version in their title
# line; a release whose pages name another version does not configure.
foreach(page doc/quorvale.1 doc/quorvale.ru.1)
  file(STRINGS ${PROJECT_SOURCE_DIR}/${page} title REGEX "^\\.TH ")
  if(NOT title MATCHES "\"quorvale ${PROJECT_VERSION}\"")
    message(FATAL_ERROR "${page}: the .TH line must name \"quorvale ${PROJECT_VERSION}\"")
  endif()
endforeach()

if(WIN32)
  install(TARGETS quorvale RUNTIME DESTINATION .)
  foreach(pair README.md:README.txt LICENSE:LICENSE.txt)
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    file(READ ${PROJECT_SOURCE_DIR}/${source} text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${PROJECT_BINARY_DIR}/windows-docs/${target} "${text}")
    install(FILES ${PROJECT_BINARY_DIR}/windows-docs/${target} DESTINATION .)
  endforeach()
else()
  install(TARGETS quorvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES doc/quorvale.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES doc/quorvale.ru.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1 RENAME quorvale.1)
  install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES packaging/bash-completion/quorvale
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()
