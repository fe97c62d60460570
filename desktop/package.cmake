# The Debian package of the installation (desktop/CMakeLists.txt), made by
# `cpack -G DEB` in the build tree: build/smudgecraft_<version>_<arch>.deb.
# Its library dependencies are found by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME smudgecraft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Smudgecraft developers")
set(CPACK_PACKAGE_CONTACT "Smudgecraft developers <developers@smudgecraft.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "paint program that imitates thick, wet paint")
set(CPACK_PACKAGE_DESCRIPTION
  "Smudgecraft paints with thick, wet paint. Every pixel of the canvas holds a colour, a grain, a
shine and a height, and the picture is that relief lit from above. Seventeen tools lay, smear,
scrape, raise, polish and dull the paint; filters act on colour, paint and texture.
.
The package also holds smudgecraft-batch, which runs the same engine without a display: it
replays strokes from scripts, renders paintings and makes the thumbnails file managers show.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://smudgecraft.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The guide and the web site open in the user's browser through xdg-open;
# the icon theme, the type database and the menu are refreshed by the
# triggers of these packages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
