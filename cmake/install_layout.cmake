# Where every installed file goes, relative to the install prefix: the one home of the layout that
# `cmake --install`, the setup program (installer/) and scripts/install-into-prefix.sh share. The
# rules themselves sit with what they install (apps/saver, skins, games); a new rule uses these
# folders, or adds one here.
#
# Windows build: two top folders, each standing for a folder of the target machine:
#   system/   the Windows system folder, where the desktop settings look for screen savers
#   program/  the installation folder (C:\Program Files\Brenholt\Quorvane by default), whose path
#             the saver reads from the registry
# Every file under program/ is the setup program's, taken back by its uninstaller; subfolders are
# kept, so a folder of larger skin drawings goes to program/Skin/<name>.
if(WIN32)
    set(QUORVANE_INSTALL_SYSTEM_DIR "system")
    set(QUORVANE_INSTALL_PROGRAM_DIR "program")
    set(QUORVANE_INSTALL_SKIN_DIR "${QUORVANE_INSTALL_PROGRAM_DIR}/Skin")
    set(QUORVANE_INSTALL_GAME_DIR "${QUORVANE_INSTALL_PROGRAM_DIR}")
endif()

# Native build: the usual Unix prefix (/usr on Debian), where XScreenSaver finds its modules:
#   libexec/xscreensaver/          the program, among XScreenSaver's display modules
#   share/xscreensaver/config/     its description, which XScreenSaver's settings read
#   share/applications/screensavers/  its desktop entry, where desktops list screen savers
#   share/quorvane/                the data folder the program reads: Skin/ and varnoth.pgn
#   bin/                           the helper that adds it to the user's XScreenSaver list
#   share/man/man6, man1           the manual pages of the program and of the helper
#   share/doc/quorvane/            copyright and changelog
# The program finds its data folder from its own place by these folders (x11/data_folder.h), so
# the tree may be installed under any prefix.
if(NOT WIN32)
    include(GNUInstallDirs)
    set(QUORVANE_INSTALL_MODULE_DIR "${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver" CACHE STRING
        "Folder, below the install prefix, of XScreenSaver's display modules")
    set(QUORVANE_INSTALL_MODULE_CONFIG_DIR "${CMAKE_INSTALL_DATADIR}/xscreensaver/config")
    set(QUORVANE_INSTALL_DESKTOP_DIR "${CMAKE_INSTALL_DATADIR}/applications/screensavers")
    set(QUORVANE_INSTALL_DATA_DIR "${CMAKE_INSTALL_DATADIR}/quorvane")
    set(QUORVANE_INSTALL_SKIN_DIR "${QUORVANE_INSTALL_DATA_DIR}/Skin")
    set(QUORVANE_INSTALL_GAME_DIR "${QUORVANE_INSTALL_DATA_DIR}")
    set(QUORVANE_INSTALL_BIN_DIR "${CMAKE_INSTALL_BINDIR}")
    set(QUORVANE_INSTALL_MAN_DIR "${CMAKE_INSTALL_MANDIR}")
    # Lower case, as Debian names a package's documentation folder (GNUInstallDirs takes the
    # project's name).
    set(QUORVANE_INSTALL_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvane")
endif()
