"""Installing again into another folder takes the old folder's files and uninstaller away; an old
folder's uninstaller left over from elsewhere removes only its own folder's files and leaves the
live installation, its saver, its machine-wide key and its Apps entry alone. The first
installation, with /NOFIT, and the second, an upgrade, write no "Fit board" for the user."""

from installer_session import (CONFIG, MACHINE_KEY, SCR_PATH, UNINSTALL_KEY, run)
from board_image import START_FEN, Skin, board_region

OLD = r"C:\Games\Old Quorvane"
NEW = r"C:\Games\New Quorvane"
STALE = r"C:\Games\Stale Quorvane"


def main(session):
    code = session.run_setup("/S", "/NOFIT", "/D=" + OLD)
    session.require(code == 0, f"setup into {OLD}: exit code {code}")
    session.expect(session.setting("Fit board") is None, "/NOFIT wrote a Fit board value")
    old_uninstaller = session.unix_path(OLD + r"\Uninstall.exe").read_bytes()
    session.write_file(OLD + r"\my games.pgn", "[Event \"Mine\"]\r\n\r\n1. e4 *\r\n")

    code = session.run_setup("/S", "/D=" + NEW)
    session.require(code == 0, f"setup into {NEW}: exit code {code}")
    for name in (r"\Uninstall.exe", r"\varnoth.pgn", r"\Skin\Quorvane.bmp"):
        session.expect(not session.exists(OLD + name), f"{OLD}{name} left behind")
        session.expect(session.exists(NEW + name), f"no {NEW}{name}")
    session.expect(session.exists(OLD + r"\my games.pgn"), "the user's own file was removed")
    session.expect(session.setting("Fit board") is None, "an upgrade wrote a Fit board value")

    # An uninstaller of an older installation that was never cleaned up.
    session.write_file(STALE + r"\Uninstall.exe", old_uninstaller)
    skin = (CONFIG["skins"] + "/Quorvane.bmp")
    session.write_file(STALE + r"\Skin\Quorvane.bmp", open(skin, "rb").read())
    result = session.wine_run([STALE + r"\Uninstall.exe", "/S"], check=False, timeout=120)
    session.settle()
    session.expect(result.returncode == 0, f"stale uninstaller exit code {result.returncode}")
    session.expect(not session.unix_path(STALE).exists(), f"{STALE} left behind")
    session.expect(session.exists(SCR_PATH), "the stale uninstaller removed the live saver")
    session.expect(session.machine_value(MACHINE_KEY, "Install path") == NEW,
                   "the stale uninstaller changed the recorded install path")
    session.expect(session.machine_value(UNINSTALL_KEY, "DisplayName") == "Quorvane",
                   "the stale uninstaller removed the Apps entry")

    # The live installation still runs: the saver shows the start position from its skin.
    session.write_file(r"C:\Games\one.pgn", "[Event \"One\"]\r\n\r\n1. e4 *\r\n")
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2,
                         Path_to_PGN_file=r"C:\Games\one.pgn")
    expected = Skin(session.unix_path(NEW + r"\Skin\Quorvane.bmp")).board(START_FEN)
    saver = session.start_saver("/s")
    shown = session.wait_for(
        lambda image: board_region(image).tobytes() == expected.tobytes())
    session.expect(shown is not None, "the saver of the new folder showed no start position")
    session.end_with_key(saver, "saver of the new folder")

    # The live installation still removes itself completely.
    code = session.run_registered_uninstall()
    session.expect(code == 0, f"uninstaller exit code {code}")
    session.expect(not session.unix_path(NEW).exists(), f"{NEW} left behind")
    session.expect(not session.exists(SCR_PATH), "Quorvane.scr left in the system folder")
    session.expect(session.reg_query(MACHINE_KEY, "Install path") is None, "Install path left")


run(main)
