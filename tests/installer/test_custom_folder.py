"""An installation into a folder of the user's choice records that folder without its trailing
backslash, and a user who kept the settings of an earlier installation keeps their board;
uninstalling it with /REMOVESETTINGS also removes the user's settings but leaves a screen saver
the user chose since then."""

from installer_session import (DESKTOP_KEY, MACHINE_KEY, SCR_PATH, SETTINGS_KEY, run)

FOLDER = r"C:\Games\Chess Saver"
OTHER_SAVER = r"C:\windows\system32\other.scr"


def main(session):
    # Left by an earlier installation's uninstaller, which keeps the settings unless asked.
    session.set_settings(Fit_board=0)
    # /D= must come last and takes the rest of the command line, spaces included.
    code = session.run_setup("/S", "/SETSAVER", "/D=" + FOLDER + "\\")
    session.require(code == 0, f"silent setup exit code {code}")
    session.expect(session.machine_value(MACHINE_KEY, "Install path") == FOLDER,
                   f"Install path is {session.machine_value(MACHINE_KEY, 'Install path')!r}")
    session.expect(session.exists(FOLDER + r"\Skin\Quorvane.bmp"), "skins not in the chosen folder")
    session.expect(session.exists(FOLDER + r"\varnoth.pgn"), "game file not in the chosen folder")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", SCR_PATH),
                   "/SETSAVER did not make Quorvane the current screen saver")
    session.expect(session.setting("Fit board") == 0, "the setup changed the user's board")

    session.set_settings(Time_mode=0)
    session.reg_add(DESKTOP_KEY, "SCRNSAVE.EXE", "REG_SZ", OTHER_SAVER)
    code = session.run_registered_uninstall("/REMOVESETTINGS")
    session.expect(code == 0, f"uninstaller exit code {code}")
    session.expect(not session.unix_path(FOLDER).exists(), f"{FOLDER} left behind")
    session.expect(not session.exists(SCR_PATH), "Quorvane.scr left in the system folder")
    session.expect(session.reg_query(MACHINE_KEY, "Install path") is None, "Install path left")
    for name in ("Time mode", "Fit board"):
        session.expect(session.reg_query(SETTINGS_KEY, name) is None,
                       f"/REMOVESETTINGS left the user's {name!r}")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", OTHER_SAVER),
                   "the uninstaller touched a screen saver that is not Quorvane")


run(main)
