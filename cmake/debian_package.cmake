# The Debian package of the native program, made by CPack from the install rules: `cpack -G DEB`
# in the build tree leaves quorvane_<version>_<arch>.deb there. It holds exactly what
# `cmake --install` puts, below /usr whatever prefix the tree was configured with; the program
# finds its data folder beside it there (x11/data_folder.h).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR Brenholt)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Brenholt <quorvane@brenholt.com>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.brenholt.com/quorvane")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "chess screen saver that replays the games of a PGN file
Quorvane replays the games of one PGN file move by move on a chess board
drawn from a skin, with the players, date, event and site around the board
and the last move marked; the next run continues with the game that was on
screen. Names are drawn in any script.
.
It is an XScreenSaver display module and also runs in a window of its own;
quorvane-add-to-xscreensaver lists it in ~/.xscreensaver.")
# The libraries the program links, as dpkg-shlibdeps finds them; XScreenSaver runs it, and the
# fonts give its Palatino-like face and the Arabic letters.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, fonts-urw-base35, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# CPack's gzip rather than xz: the larger skin drawings make xz five times slower for half the size.
# Debian wants stripped programs and folders of mode 755 whatever the packager's umask.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
