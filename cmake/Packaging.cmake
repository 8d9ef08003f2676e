# The Debian package, made by scripts/package.sh with `cpack -G DEB` from a
# build configured with CMAKE_INSTALL_PREFIX=/usr. It holds exactly what
# `cmake --install` puts in the prefix, plus the copyright and changelog
# that Debian wants in the package's doc folder.

set(POPWRIGHT_MAINTAINER "Popwright maintainers <maintainers@users.noreply.c-seed-a425a678.example>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

# Named after the package rather than the CMake project (share/doc/Popwright).
set(popwright_docdir ${CMAKE_INSTALL_DATADIR}/doc/popwright)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${popwright_docdir})
# A version without a Debian revision makes this a native package, whose
# Debian-format changelog Debian calls changelog.gz. Compressed at the
# maximum and without a time stamp, as lintian checks.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog COPYONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9 -n -f -k ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${popwright_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME popwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Popwright maintainers")
set(CPACK_PACKAGE_CONTACT "${POPWRIGHT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for 90-degree pop-up cards")
set(CPACK_PACKAGE_DESCRIPTION [=[
Popwright designs 90-degree pop-up cards: one sheet, folded once, whose cuts
and folds raise a relief of boxes, steps and tunnels when the card is opened
to a right angle. The relief is shaped with the keyboard on a grid of cells
and shown in a 3D view; every design can be cut and folded from one piece of
paper.

The flat pattern (outline, cuts, mountain and valley folds) is printed on A4
paper, copied to the clipboard, or exported as BMP, EMF, SVG or PDF, the last
two with cuts and folds on separate layers for cutting plotters and lasers.
The relief can be exported as DXF 3D faces.

The 3D view folds the card between closed and laid flat and checks that the
closed card hides its relief.

The package also holds popwright-cli, which makes, edits, inspects and
exports card files (*.kpf) from scripts and the shell, and draws cards as PNG
pictures, animated GIFs and file-manager thumbnails.]=])

# popwright_1.2.1_amd64.deb: the architecture comes from dpkg.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends is computed from the programs' libraries, plus the Qt plugins that
# no program links: the toolbar icons are SVG, drawn by libqt6svg6's icon
# engine. Help opens the user guide with xdg-open, which desktops have but a
# bare X session may not. Pictures are traced by the potrace program, run
# as a child process rather than linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, potrace")
# Qt's own dialogs in the translated languages, and a Japanese font for
# Japanese text in reliefs and legends.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n, fonts-ipafont-gothic")

# Files in the package keep the layout their binaries were built for: the
# programs look for their data under ${CMAKE_INSTALL_PREFIX}/share.
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
# Control files 0644 whatever their modes on disk. The folders of the data
# part take the umask, so scripts/package.sh packs with umask 022.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
