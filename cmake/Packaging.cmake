# Packages made by CPack from the install rules (cmake/Install.cmake).
#
#   Linux:   cmake --workflow --preset package
#            -> build/package/quorvale_1.0.0_amd64.deb
#   Windows: cmake --build build/windows --target package
#            -> build/windows/quorvale-1.0.0-win64.zip
#
# The Debian package follows Debian's layout: the manual pages and the
# changelog gzipped, the licence in /usr/share/doc/quorvale/copyright in the
# machine-readable format; cmake/DebianLayout.cmake rearranges the staged
# files that way just before the package is made.

set(CPACK_PACKAGE_NAME quorvale)
set(CPACK_PACKAGE_VENDOR "The Quorvale authors")
set(CPACK_PACKAGE_CONTACT "The Quorvale authors <quorvale@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "coat-colour genetics calculator for Syrian hamsters")
set(CPACK_PACKAGE_DESCRIPTION
    "A console program for breeders of Syrian hamsters, in English or Russian.
Given a genotype written in the usual gene symbols (for example eeDgdgUu),
it names the coat colour, lists the genes the animal hides or carries, and
warns of undesirable and lethal combinations. Given a male and a female, it
lists every colour of their litter with its exact fraction and the
genotypes behind it, and warns of pairings that should not be made. It also
sets reproducible breeding exercises, numbered so that the same number gives
the same exercise on every computer.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quorvale-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The completion (cmake/Install.cmake) works only with bash-completion.
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS bash-completion)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # CPack strips with no options; the script also drops the compiler's
  # .comment and .note sections, as Debian's own builds do.
  set(CPACK_QUORVALE_STRIP ${CMAKE_STRIP})
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianLayout.cmake)
endif()

include(CPack)
