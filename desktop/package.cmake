# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages of the installation (desktop/CMakeLists.txt), made by
# `cpack -G DEB` in the build tree, compressed with xz:
#   build/smudgecraft_<version>_<arch>.deb       the programs and the desktop's files
#   build/smudgecraft-data_<version>_all.deb     the pictures, the guide and the starting lists
# The programs' library dependencies are found by dpkg-shlibdeps (package
# dpkg-dev); the programs need their data at the same version.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME smudgecraft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Smudgecraft developers")
set(CPACK_PACKAGE_CONTACT "Smudgecraft developers <developers@smudgecraft.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program data)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://smudgecraft.example.org/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME smudgecraft)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION
  "paint program that imitates thick, wet paint
Smudgecraft paints with thick, wet paint. Every pixel of the canvas holds a
colour, a grain, a shine and a height, and the picture is that relief lit
from above. Seventeen tools lay, smear, scrape, raise, polish and dull the
paint; filters act on colour, paint and texture.
.
The package also holds smudgecraft-batch, which runs the same engine without
a display: it replays strokes from scripts, renders paintings and makes the
thumbnails file managers show.")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "smudgecraft-data (= ${PROJECT_VERSION})")
# The guide and the web site open in the user's browser through xdg-open;
# the icon theme, the type database and the menu are refreshed by the
# triggers of these packages.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme, shared-mime-info, desktop-file-utils")

set(CPACK_DEBIAN_DATA_PACKAGE_NAME smudgecraft-data)
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATA_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DATA_DESCRIPTION
  "paint program that imitates thick, wet paint - data files
Smudgecraft paints with thick, wet paint, shown as a lit relief.
.
This package holds the files Smudgecraft needs on every architecture: the
pictures of its paint styles, textures and panels, the user guide with its
pictures, and the brushes and strokes a new user starts with.")
include(CPack)
