# The Debian package, written by `cpack -G DEB` (scripts/package-linux.sh):
# torvane_<version>_amd64.deb with both programs, the desktop entry, the icons, the man page,
# the copyright file and the changelog; its dependencies are found by dpkg-shlibdeps.
set(doc ${CMAKE_INSTALL_DATADIR}/doc/torvane)
install(FILES resources/debian/copyright DESTINATION ${doc})
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
                   COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/debian/changelog > ${changelog}
                   DEPENDS resources/debian/changelog)
add_custom_target(torvane_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvane)
set(CPACK_PACKAGE_CONTACT "The Torvane developers <torvane@example.org>" CACHE STRING
    "The package's maintainer")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # torvane_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries shlibdeps finds: Qt's platform plugins, without which no window opens;
# Qt's own Chinese texts (the folder dialog) and a font with Chinese glyphs, which a Chinese
# desktop has already.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the peak or valley of every spectrum in a folder")
# The synopsis above comes first; these lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Torvane reads every .txt data file of a folder (two columns, X and Y, after a
few heading lines), finds in each the row with the largest or smallest Y within
an X range, and writes one summary file with one line per data file. The window
(torvane) guides through six steps in Chinese; torvane-batch does the same run
from the command line.")
include(CPack)
