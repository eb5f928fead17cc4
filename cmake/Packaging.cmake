# SPDX-License-Identifier: MIT
# The Debian package: cpack -G DEB in the build folder writes
# quillmore_<version>_amd64.deb with everything `cmake --install` puts in
# place, below /usr.
set(CPACK_PACKAGE_NAME quillmore)
set(CPACK_PACKAGE_VENDOR "The Quillmore developers")
set(CPACK_PACKAGE_CONTACT "The Quillmore developers <quillmore@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make seamless symmetric pattern tiles from a picture")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmore cuts pieces out of a picture at random places and turns each into a
seamless, symmetric pattern tile by one of eight methods (kaleidoscope, carpet,
tablecloth, tile, floral, distorted square, rectangle, no conversion) or by a
plug-in library. It writes up to 100 BMP, JPEG or PNG tiles at once, with an
HTML index page if asked. The package holds the desktop program, the command
line program quillmore-cli, two sample plug-ins and the plug-in header.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the Japanese
# font draws the window's texts, Qt's translations its standard buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
# The help button opens the page with xdg-open; the command line reads the
# clipboard with one of the clipboard tools.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wl-clipboard | xclip")

# Debian keeps every package's licence in its copyright file.
set(QM_COPYRIGHT ${CMAKE_BINARY_DIR}/copyright)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QM_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n.\n" QM_LICENSE_PARAGRAPHS "${QM_LICENSE_TEXT}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" QM_LICENSE_PARAGRAPHS "${QM_LICENSE_PARAGRAPHS}")
file(WRITE ${QM_COPYRIGHT}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quillmore

Files: *
Copyright: The Quillmore developers
License: MIT
 ${QM_LICENSE_PARAGRAPHS}")
install(FILES ${QM_COPYRIGHT} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillmore)


# The installed files that only some builds have, one a line below the
# prefix, for the package check.
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/optional-installed-files.txt
  CONTENT "$<$<TARGET_EXISTS:quillmore-plugin-host>:${CMAKE_INSTALL_LIBEXECDIR}/quillmore/quillmore-plugin-host\n>")

include(CPack)
