# The Debian package: cd build && cpack -G DEB. One package, rovena, holds
# the programs, the library with its header, the data files and the desktop
# integration.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rovena)
set(CPACK_PACKAGE_VENDOR "The Rovena developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drafting tool for the horizontal curve of a road")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Rovena draws one horizontal curve of a road - a clothoid, a circular arc
and a second clothoid between two straight tangents - with its lane lines,
normal lines and station labels, and writes it as a DXF drawing in
millimetres at real size for a CAD program. Its window is in Japanese.
.
The package also holds korvane-draw, which draws a design file from the
command line, and the library Korvane (libkorvane.so) behind both, with
its C header and pkg-config file.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Rovena developers <rovena@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Installed through DESTDIR with the prefix /usr, so that the pkg-config
# file, written at install time, names /usr and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries the programs link come from dpkg-shlibdeps; the
# library's own shlibs file and ldconfig trigger from CPack.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
# ldconfig runs through its trigger; the maintainer scripts given here keep
# CPack from calling it directly.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
# Loaded at run time rather than linked: the Japanese font of the drawings'
# texts and PDFs, and Qt's own Japanese texts, which Rovena loads at start-up
# for the standard dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n")
include(CPack)
