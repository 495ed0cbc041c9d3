# `cpack -G DEB` (or `make deb`): one Debian package that a school's
# administrator installs with apt, which brings the libraries with it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plandra)
set(CPACK_PACKAGE_VENDOR "Plandra Win developers")
set(CPACK_PACKAGE_CONTACT "Plandra Win developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive geometry construction for school mathematics")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Plandra Win builds plane figures step by step from points, lines, circles and\n"
    "numbers; dragging a free point or varying a number makes every construction\n"
    "follow. It opens .pd4 and .pd5 figure files, and plandra-cli draws figures\n"
    "as pictures without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries come from the binaries' own links; the Japanese font and
# Qt's translations of its dialogs are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
