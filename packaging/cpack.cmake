# The Debian package, made by CPack from the install rules (tools/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesselo)
set(CPACK_PACKAGE_VENDOR "Tesselo team")
set(CPACK_PACKAGE_CONTACT "Tesselo team <tesselo@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "picture puzzle of sliding rows and columns
A picture is cut into a grid and scrambled. Put it back together by sliding
whole rows sideways and whole columns up and down; every slide wraps round.
Four grids from 2 x 3 to 4 x 6, a move count or a stopwatch, and any BMP,
JPEG, GIF or PNG pictures of your own. Sample pictures and sounds included.")
# dpkg-shlibdeps names the Qt 6, SDL2_mixer, SQLite (libsqlite3-0), giflib
# (libgif7) and libwebp (libwebp7, libwebpmux3) runtime packages from the
# program's libraries. The fonts the game's texts were laid out with, and
# Qt's Wayland platform (without it Qt falls back to X11 through XWayland),
# are recommended rather than required: the game plays without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's translations give the message boxes' standard buttons and the file
# dialog in the player's language; dpkg-shlibdeps cannot see them, as the
# game loads them at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants a copyright file and a changelog in the package's doc folder
# and its manual pages compressed; a plain cmake --install gets none of
# that, so these steps run only on CPack's staging tree.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
set(CPACK_TESSELO_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog)
set(CPACK_TESSELO_COPYRIGHT ${CMAKE_CURRENT_LIST_DIR}/copyright)
set(CPACK_TESSELO_MANDIR ${CMAKE_INSTALL_MANDIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_files.cmake)

include(CPack)
