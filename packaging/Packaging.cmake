# The two Debian packages, made by CPack from the installed files of each component:
#   tessaly-extract (component "extractor"): the extractor and its manual page; no Qt, so a
#     machine that only runs scripts gets the C and C++ runtimes and nothing of the desktop.
#   tessaly (component "window"): the window, its data files, the desktop files and its manual
#     page; it depends on the very same version of tessaly-extract.
# Each carries the licence as the machine-readable copyright file and the changelog, and depends
# on what dpkg-shlibdeps finds. scripts/package.sh builds both from a Release build.
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
foreach(component_package extractor:tessaly-extract window:tessaly)
    string(REPLACE ":" ";" component_package ${component_package})
    list(GET component_package 0 component)
    list(GET component_package 1 package)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL extractor window)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_CONTACT "The Tessaly developers <${TESSALY_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE tessaly)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_EXTRACTOR_PACKAGE_NAME tessaly-extract)
# PDF files are read through pdftotext, run as a separate program; without it every other kind
# of file is still read.
set(CPACK_DEBIAN_EXTRACTOR_PACKAGE_RECOMMENDS poppler-utils)
set(CPACK_DEBIAN_EXTRACTOR_DESCRIPTION "pull telephone numbers out of many files at once, for scripts
tessaly-extract reads text files and the documents people keep (word
processor, spreadsheet, presentation, web page, e-mail and, with
poppler-utils, PDF files) and writes every telephone number in them, as bare
digits, in file, line and position order, like grep: with or without the
file name and line, as JSON lines or counted, from a list of files or folder
trees, on as many cores as the machine has.
.
This package holds only the command; the window is in the package tessaly.")

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME tessaly)
# The window is drawn with the Liberation fonts; the command-line extractor beside it is always
# the same version, so the two read files alike.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "tessaly-extract (= ${PROJECT_VERSION}), fonts-liberation")
set(CPACK_DEBIAN_WINDOW_DESCRIPTION "pull telephone numbers out of many files at once
Tessaly reads a list of text files and documents and collects every
telephone number in them, as bare digits, in file, line and position order.
The digit counts a number may have (5 to 20) and a character it must contain
are chosen in the window; the results can be freed of duplicates, saved as a
padded text table or comma-delimited text, copied to the clipboard, or
formatted on a page that comes with the program.
.
The command-line extractor is in the package tessaly-extract, installed
with this one.")
include(CPack)
