"""XScreenSaver with quorvane as its only display module, listed by quorvane-add-to-xscreensaver:
the daemon starts on the private display, `xscreensaver-command -activate` blanks the screen, and
the board comes up in XScreenSaver's window as the helper's program line "quorvane --root" asks
(the build's folder first on PATH, as XScreenSaver puts its modules' folder). XScreenSaver launches
no modules for root, so a test run by root runs the daemon as the user nobody."""

import os
import shutil
import subprocess

from board_image import Skin, squares_are_skin_cells
from native import ON_SCREEN, SkipTest, run_test


def as_user(args):
    if os.geteuid() != 0:
        return args
    if not shutil.which("setpriv"):
        raise SkipTest("running as root, and setpriv is missing to run XScreenSaver as nobody")
    return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", *args]


def main(session):
    if not shutil.which("xscreensaver") or not shutil.which("xscreensaver-command"):
        raise SkipTest("XScreenSaver is not installed")
    home = session.dir / "home"
    home.mkdir()
    (home / ".xscreensaver").write_text(
        "timeout: 0:30:00\nlock: False\nfade: False\nunfade: False\nsplash: False\n"
        "mode: one\nselected: 0\n")
    subprocess.run([session.config["add_to_xscreensaver"]], env=dict(session.env, HOME=str(home)),
                   check=True, capture_output=True)
    for path in (session.dir, home, session.data, session.data / "Skin"):
        os.chmod(path, 0o777)
    program_folder = os.path.dirname(session.config["quorvane"])
    env = dict(session.env, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
               PATH=program_folder + os.pathsep + session.env.get("PATH", ""))
    daemon = subprocess.Popen(as_user(["xscreensaver", "-no-splash", "-verbose"]), env=env,
                              stdout=session.log, stderr=session.log)
    session.processes.append(daemon)
    try:
        attempts = []

        def activate():  # the daemon takes a moment to answer
            attempts.append(subprocess.run(as_user(["xscreensaver-command", "-activate"]),
                                           env=env, capture_output=True, text=True))
            return attempts[-1].returncode == 0 or daemon.poll() is not None

        session.wait_until(activate, ON_SCREEN, interval=0.2)
        session.require(attempts[-1].returncode == 0,
                        f"xscreensaver-command -activate failed: {attempts[-1].stderr.strip()} "
                        f"(daemon: {daemon.poll()})")
        skins = [Skin(path) for path in sorted((session.data / "Skin").glob("*.bmp"))]
        image = session.wait_for(
            lambda im: any(squares_are_skin_cells(im, skin) for skin in skins))
        session.expect(image is not None, "no board of a supplied skin came on the screen")
        session.screenshot("activated")
        subprocess.run(as_user(["xscreensaver-command", "-exit"]), env=env, capture_output=True)
        code = session.wait_exit(daemon)
        session.expect(code == 0, f"the daemon ended with {code}")
        # The daemon does not wait for its module: give the module a moment to write.
        game = home / ".config" / "quorvane" / "quorvane.conf"
        session.wait_until(game.exists, ON_SCREEN)
        session.expect(game.exists() and "Current game number=" in game.read_text(),
                       "XScreenSaver's SIGTERM did not leave the game number in the settings")
    finally:
        if daemon.poll() is None:
            daemon.kill()


if __name__ == "__main__":
    run_test(main)
