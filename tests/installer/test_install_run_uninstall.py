"""A silent install into a fresh prefix puts the saver, the skins and the game file where they
belong, registers them and fits the user's board to the screen; the installed saver runs
full-screen from those files; a silent reinstall with /SETSAVER makes it the current screen saver
and keeps the user's board; the registered quiet uninstall takes back everything installed and
nothing else."""

import re
import time
from pathlib import Path

from installer_session import (CONFIG, DESKTOP_KEY, MACHINE_KEY, PROGRAM_DIR, SCR_PATH,
                               SETTINGS_KEY, UNINSTALL_KEY, run)
from board_image import START_FEN, Skin, board_region, wrong_squares

USER_GAME = PROGRAM_DIR + r"\my own games.pgn"
USER_SKIN = PROGRAM_DIR + r"\Skin\My own skin.bmp"


def installed_files():
    """Windows path -> the build's file it must be a copy of."""
    files = {SCR_PATH: Path(CONFIG["scr"]),
             PROGRAM_DIR + r"\varnoth.pgn": Path(CONFIG["default_pgn"])}
    for skin in sorted(Path(CONFIG["skins"]).glob("*.bmp")):
        files[PROGRAM_DIR + "\\Skin\\" + skin.name] = skin
    # The larger drawings, one folder per scale, beside the classic files.
    for skin in sorted(Path(CONFIG["skins"]).glob("x*/*.bmp")):
        files[PROGRAM_DIR + "\\Skin\\" + skin.parent.name + "\\" + skin.name] = skin
    return files


def first_game_placement(pgn_text):
    """The piece placement the first game starts from: its FEN tag's, else the standard one."""
    first = re.split(r"\n(?=\[Event )", pgn_text, maxsplit=1)[0]
    fen = re.search(r'^\[FEN "([^"]*)"\]', first, re.MULTILINE)
    return fen.group(1).split(" ")[0] if fen else START_FEN


def check_install(session):
    for windows_path, built in installed_files().items():
        copy = session.unix_path(windows_path)
        session.expect(copy.exists() and copy.read_bytes() == built.read_bytes(),
                       f"{windows_path} missing or not the built file")
    session.expect(session.exists(PROGRAM_DIR + r"\Uninstall.exe"), "no Uninstall.exe")
    session.expect(session.machine_value(MACHINE_KEY, "Install path") == PROGRAM_DIR,
                   f"Install path is {session.machine_value(MACHINE_KEY, 'Install path')!r}")
    uninstall = {
        "DisplayName": "Quorvane",
        "DisplayVersion": "1.03",
        "Publisher": "Brenholt",
        "UninstallString": f'"{PROGRAM_DIR}\\Uninstall.exe"',
        "QuietUninstallString": f'"{PROGRAM_DIR}\\Uninstall.exe" /S',
        "DisplayIcon": SCR_PATH + ",0",
    }
    for name, wanted in uninstall.items():
        shown = session.machine_value(UNINSTALL_KEY, name)
        session.expect(shown == wanted, f"uninstall entry {name} is {shown!r}, expected {wanted!r}")
    size = session.machine_value(UNINSTALL_KEY, "EstimatedSize")
    total_kb = sum(f.stat().st_size for f in installed_files().values()) // 1024
    session.expect(isinstance(size, int) and total_kb <= size <= 2 * total_kb + 1024,
                   f"EstimatedSize {size!r} KB for {total_kb} KB of files")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") is None,
                   "a silent install without /SETSAVER changed the current screen saver")
    session.expect(session.reg_query(SETTINGS_KEY, "Fit board") == ("REG_DWORD", 1),
                   "a new silent installation did not fit the board to the screen")


def check_saver_runs(session):
    """The installed saver, started as Windows starts it, shows the first game's start position
    from the installed Quorvane skin."""
    # The user's choice of skin and a long pause, so the start position stays three seconds.
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=2)
    skin = Skin(session.unix_path(PROGRAM_DIR + r"\Skin\Quorvane.bmp"))
    pgn = Path(CONFIG["default_pgn"]).read_text(encoding="latin-1")
    expected = skin.board(first_game_placement(pgn))
    saver = session.start_saver("/s")
    shown = session.wait_for(
        lambda image: board_region(image).tobytes() == expected.tobytes())
    if shown is None:
        last = session.screenshot("board")
        session.expect(False, f"no frame showed the start position; wrong squares in the last: "
                       f"{wrong_squares(last, expected)}")
    else:
        session.save(shown, "installed-saver")
    session.end_with_key(saver, "installed saver")
    # The full-screen run stores the game it showed: the user's settings now exist.
    session.expect(session.setting("Current game number") is not None,
                   "the saver run left no Current game number")


def check_uninstall(session):
    session.write_file(USER_GAME, "[Event \"Mine\"]\r\n\r\n1. d4 *\r\n")
    built_skin = Path(CONFIG["skins"]) / "Quorvane.bmp"
    session.write_file(USER_SKIN, built_skin.read_bytes())
    settings_before = {name: session.setting(name) for name in ("Random skin", "Time mode")}

    code = session.run_registered_uninstall()
    session.expect(code == 0, f"uninstaller exit code {code}")
    for windows_path in installed_files():
        session.expect(not session.exists(windows_path), f"{windows_path} left behind")
    for scale in ("x2", "x4"):
        session.expect(not session.exists(PROGRAM_DIR + "\\Skin\\" + scale),
                       f"the emptied Skin\\{scale} folder is left behind")
    session.expect(not session.exists(PROGRAM_DIR + r"\Uninstall.exe"), "Uninstall.exe left")
    session.expect(session.reg_query(MACHINE_KEY, "Install path") is None,
                   "HKLM Install path left behind")
    session.expect(session.reg_query(UNINSTALL_KEY, "DisplayName") is None,
                   "the Add/Remove Programs entry is left behind")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") is None,
                   "SCRNSAVE.EXE still names the removed saver")
    # The user's own things stay, and so does the folder that holds them.
    session.expect(session.exists(USER_GAME), "the user's own PGN file was removed")
    session.expect(session.exists(USER_SKIN), "the user's own skin was removed")
    settings_after = {name: session.setting(name) for name in settings_before}
    session.expect(settings_after == settings_before,
                   f"the user's settings changed: {settings_before} -> {settings_after}")


def main(session):
    started = time.monotonic()
    code = session.run_setup("/S")
    session.require(code == 0, f"silent setup exit code {code}")
    session.note(f"installed in {time.monotonic() - started:.1f} s")
    check_install(session)
    check_saver_runs(session)

    # Installing again over the same folder: an upgrade that also makes Quorvane current, for a
    # user who has since chosen the classic board.
    session.set_settings(Fit_board=0)
    code = session.run_setup("/S", "/SETSAVER")
    session.require(code == 0, f"silent reinstall exit code {code}")
    session.expect(session.reg_query(DESKTOP_KEY, "SCRNSAVE.EXE") == ("REG_SZ", SCR_PATH),
                   "/SETSAVER did not make Quorvane the current screen saver")
    kept = {name: session.setting(name) for name in ("Time mode", "Fit board")}
    session.expect(kept == {"Time mode": 2, "Fit board": 0},
                   f"the reinstall changed the user's settings: {kept}")
    check_uninstall(session)


run(main)
