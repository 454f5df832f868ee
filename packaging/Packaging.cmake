# The Debian package, made by CPack from the installed files: the licence as the machine-readable
# copyright file, the changelog, and the dependencies dpkg-shlibdeps finds plus the fonts the
# window is drawn with. scripts/package.sh builds it from a Release build.
set(doc share/doc/tessaly)
set(packaging ${CMAKE_CURRENT_LIST_DIR})
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TESSALY_LICENSE_TEXT)
# The copyright file repeats the licence with each line indented and empty lines as " .".
string(REGEX REPLACE "\n$" "" TESSALY_LICENSE_TEXT "${TESSALY_LICENSE_TEXT}")
string(REGEX REPLACE "\n\n" "\n.\n" TESSALY_LICENSE_TEXT "${TESSALY_LICENSE_TEXT}")
string(REGEX REPLACE "\n" "\n " TESSALY_LICENSE_TEXT " ${TESSALY_LICENSE_TEXT}")
configure_file(${packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
configure_file(${packaging}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_target(tessaly_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_CONTACT "The Tessaly developers <${TESSALY_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pull telephone numbers out of many text files at once")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaly reads a list of text files and collects every telephone number in
them, as bare digits, in file, line and position order. The digit counts a
number may have (5 to 20) and a character it must contain are chosen in the
window; the results can be freed of duplicates, saved as a padded text table
or comma-delimited text, copied to the clipboard, or formatted on a page that
comes with the program.
.
The package also holds tessaly-extract, the same engine as a command for
scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
