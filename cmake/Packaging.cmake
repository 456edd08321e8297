# `cpack` in a release build folder makes a Debian package and a tarball of what `cmake --install`
# puts in place: the launcher, the program, the default data, the desktop entry, the icon, the
# manual pages, the AppStream metainfo, and the copyright file and changelog under share/doc/selektor.
#
#   cmake --preset release -B build/package -DSELEKTOR_BUILD_BENCH=OFF && cmake --build build/package
#   (cd build/package && cpack)
#
# Finding the libraries' packages needs dpkg-shlibdeps and file (Debian packages dpkg-dev and file).
#
# The tarball unpacks anywhere: the launcher finds the program and the data beside itself.
set(CPACK_PACKAGE_NAME selektor)
set(CPACK_PACKAGE_VENDOR "Selektor")
set(CPACK_PACKAGE_CONTACT "Selektor maintainers <maintainers@selektor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "systems of tickets for the 6-of-49 number lottery")
# Lines of the long description as Debian shows them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Selektor narrows the 13,983,816 six-number combinations of the 6-of-49\n"
    "lottery through nine filters, turns the remaining pool into a system of\n"
    "tickets (in full, a guarantee system or a random selection), checks it\n"
    "against a draw and prints it onto coupon blanks. It keeps the history of\n"
    "past draws with statistics and a chart of every number. The interface is\n"
    "Polish. Each player's draw history and print positions live in\n"
    "~/.local/share/selektor, filled from the default data on the first start.")
# The version of the CMake project, the one the about box shows.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY selektor)
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": nothing is played in the program; it prepares the coupons a player takes to the lottery.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt 6 libraries the program links, with the versions it was built against, come from
# dpkg-shlibdeps. What Qt loads at run time it cannot see: the platform plugins that open a window on
# the desktop, and the Polish texts of the standard buttons and dialogs. The help has a window of the
# program's own, so no browser is needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")

include(CPack)
