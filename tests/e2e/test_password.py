"""The password check before a full-screen run ends, through a PASSWORD.CPL of our own: on the NT
family it is never asked; on the non-NT family with "ScreenSaveUsePassword" set, a refusal keeps
the saver playing, input during a running check opens no second check, and an acceptance ends the
run with exit code 0."""

import shutil
import time

from board_image import Skin, squares_are_skin_cells
from e2e import DATA_DIR, E2E_KEY, ON_SCREEN, run_test

APP_DEFAULTS = r"HKCU\Software\Wine\AppDefaults\Quorvane.scr"
DESKTOP = r"HKCU\Control Panel\Desktop"
BOARD = (256, 128, 768, 640)


def count(session, name):
    found = session.reg_query(E2E_KEY, name)
    return 0 if found is None else found[1]


def calls(session):
    return count(session, "Password calls")


def board_changes(session):
    """Whether the board area changes, as the playback (a step a second) goes on: waits for a
    change until the deadline that bounds a failure."""
    first = session.screenshot().crop(BOARD).tobytes()
    return session.wait_for(lambda image: image.crop(BOARD).tobytes() != first) is not None


def start_playing(session, skin, what):
    saver = session.start_saver("/s")
    image = session.wait_for(lambda im: squares_are_skin_cells(im, skin))
    session.require(image is not None, f"{what}: no board came on screen")
    return saver


def nt_family_never_asks(session, skin):
    saver = start_playing(session, skin, "NT family")
    session.key("q")
    code = session.wait_exit(saver)
    session.expect(code == 0, f"NT family: exit code {code} after a key, expected 0")
    session.expect(calls(session) == 0, "NT family: the password module was asked")
    if code is None:
        saver.kill()


def refusal_then_acceptance(session, skin):
    session.import_registry({APP_DEFAULTS: {"Version": "win98"}})
    saver = start_playing(session, skin, "non-NT family")

    # The check stays open until the test lets it go ("Password hold").
    session.key("q")
    session.require(session.wait_until(lambda: calls(session) >= 1, ON_SCREEN) is not None,
                    "a key did not start the password check")
    # Input while the check runs: a key, the buttons and a jump there and back again (back, so
    # that the anchor and the pointer agree once the check is over).
    session.key("w")
    session.click(1)
    session.click(3)
    session.move_by(40, 0)
    time.sleep(0.2)
    session.move_by(-40, 0)
    session.expect(board_changes(session), "the playback stopped during the check")
    session.expect(calls(session) == 1, f"input during the check opened {calls(session)} checks")
    found = session.reg_query(E2E_KEY, "Password window")
    session.expect(found is not None and found[1] == "0",
                   f"the check was given window {found}, expected none in the full-screen mode")

    session.import_registry({E2E_KEY: {"Password hold": 0}})
    session.require(session.wait_until(lambda: count(session, "Password returns") >= 1,
                                       ON_SCREEN) is not None, "the check did not return")
    session.expect_running(saver, "after a refused password")
    session.expect(board_changes(session), "the playback stopped after a refused password")
    session.expect(calls(session) == 1, f"{calls(session)} checks after one refusal, expected 1")

    session.import_registry({E2E_KEY: {"Password answer": 1}})
    session.click(1)
    code = session.wait_exit(saver)
    session.expect(code == 0, f"exit code {code} after an accepted password, expected 0")
    session.expect(calls(session) == 2, f"{calls(session)} checks in all, expected 2")
    if code is None:
        saver.kill()


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    system32 = session.unix_path(r"C:\windows\system32")
    shutil.copyfile(session.config["password_cpl"], system32 / "PASSWORD.CPL")
    pgn = session.install_game_file("long.pgn", (DATA_DIR / "long_game.pgn").read_bytes())
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Time_mode=0,
                         Path_to_PGN_file=pgn)
    session.import_registry({
        DESKTOP: {"ScreenSaveUsePassword": 1},
        E2E_KEY: {"Password answer": 0, "Password hold": 1, "Password calls": 0,
                  "Password returns": 0},
    })
    nt_family_never_asks(session, skin)
    refusal_then_acceptance(session, skin)


if __name__ == "__main__":
    run_test(main)
