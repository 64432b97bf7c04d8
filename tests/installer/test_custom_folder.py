"""An installation into a folder of the user's choice records that folder without its trailing
backslash; uninstalling it with /REMOVESETTINGS also removes the user's settings but leaves a
screen saver the user chose since then."""

from installer_session import (DESKTOP_KEY, MACHINE_KEY, SCR_PATH, SETTINGS_KEY, run)

FOLDER = r"C:\Games\Chess Saver"
OTHER_SAVER = r"C:\windows\system32\other.scr"


def main(session):
    # /D= must come last and takes the rest of the command line, spaces included.
    code = session.run_setup("/S", "/SETSAVER", "/D=" + FOLDER + "\\")
    session.require(code == 0, f"silent setup exit code {code}")
    session.expect(session.machine_value(MACHINE_KEY, "Install path") == FOLDER,
                   f"Install path is {session.machine_value(MACHINE_KEY, 'Install path')!r}")
    session.expect(session.exists(FOLDER + r"\Skin\Quorvane.bmp"), "skins not in the chosen folder")
    session.expect(session.exists(FOLDER + r"\varnoth.pgn"), "game file not in the chosen folder")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", SCR_PATH),
                   "/SETSAVER did not make Quorvane the current screen saver")

    session.set_settings(Time_mode=0)
    session.reg_add(DESKTOP_KEY, "SCRNSAVE.EXE", "REG_SZ", OTHER_SAVER)
    code = session.run_registered_uninstall("/REMOVESETTINGS")
    session.expect(code == 0, f"uninstaller exit code {code}")
    session.expect(not session.unix_path(FOLDER).exists(), f"{FOLDER} left behind")
    session.expect(not session.exists(SCR_PATH), "Quorvane.scr left in the system folder")
    session.expect(session.reg_query(MACHINE_KEY, "Install path") is None, "Install path left")
    session.expect(session.reg_query(SETTINGS_KEY, "Time mode") is None,
                   "/REMOVESETTINGS left the user's settings")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", OTHER_SAVER),
                   "the uninstaller touched a screen saver that is not Quorvane")


run(main)
