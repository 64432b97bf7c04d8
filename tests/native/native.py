"""The native program's screen tests: one private Xvfb, data folder and settings folder per test,
quorvane started as XScreenSaver or a user starts it, the screen read back through screenshots.

Every test script calls run_test(main) with the build's native-config.json as its only argument;
main gets a Session. The virtual X session and the board pictures come from the Wine tests'
folder (xsession.py, board_image.py).
"""

import json
import shutil
import signal
import sys
from pathlib import Path

from board_image import Skin
from xsession import (ON_SCREEN, SCREEN, SKIP, TO_EXIT, SkipTest, TestFailure,  # noqa: F401
                      XSession, run_session)

HERE = Path(__file__).resolve().parent
DATA_DIR = HERE.parent / "e2e" / "data"


class Session(XSession):
    def __init__(self, config, name):
        super().__init__(config["work"], name, log_name="quorvane.log")
        self.config = config
        # The installed layout: data/Skin/*.bmp and data/varnoth.pgn.
        self.data = self.dir / "data"
        (self.data / "Skin").mkdir(parents=True)
        for bitmap in Path(config["skins"]).glob("*.bmp"):
            shutil.copy(bitmap, self.data / "Skin" / bitmap.name)
        for scale in Path(config["skins"]).glob("x*"):
            shutil.copytree(scale, self.data / "Skin" / scale.name)
        shutil.copy(config["default_pgn"], self.data / "varnoth.pgn")
        self.config_home = self.dir / "config"
        self.settings_file = self.config_home / "quorvane" / "quorvane.conf"
        self.env.update(QUORVANE_DATA_DIR=str(self.data), XDG_CONFIG_HOME=str(self.config_home),
                        HOME=str(self.dir))
        self.env.pop("XSCREENSAVER_WINDOW", None)

    # files

    def write_settings(self, text, path=None):
        path = Path(path or self.settings_file)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(text.encode("utf-8") if isinstance(text, str) else text)
        return path

    def read_settings(self, path=None):
        return Path(path or self.settings_file).read_bytes().decode("latin-1")

    def write_game_file(self, name, data):
        path = self.dir / name
        path.write_bytes(data if isinstance(data, bytes) else data.encode("utf-8"))
        return path

    def skin(self, name):
        return Skin(self.data / "Skin" / name)

    def keep_only_skins(self, *names):
        for entry in (self.data / "Skin").iterdir():
            if entry.is_dir():
                shutil.rmtree(entry)  # the larger drawings
            elif entry.name not in names:
                entry.unlink()

    # the program

    def start(self, *args, env_extra=None, program=None):
        return self.spawn([program or self.config["quorvane"], *args], env_extra)

    def stop(self, process, sig=signal.SIGTERM, what=""):
        """Sends sig and checks that the program ends with exit code 0."""
        self.expect(process.poll() is None,
                    f"{what}: the program ended (exit code {process.poll()}) before it was told")
        if process.poll() is None:
            process.send_signal(sig)
        code = self.wait_exit(process)
        self.expect(code == 0, f"{what}: exit code {code} after {sig.name}, expected 0")
        return code


def run_test(main):
    """Runs main(session); prints the outcome and exits with 0 (passed), 1 (failed) or 77
    (skipped)."""
    with open(sys.argv[1], encoding="utf-8") as f:
        config = json.load(f)

    def open_session(name):
        if not Path(config["quorvane"]).exists():
            raise SkipTest(f"{config['quorvane']} does not exist")
        return Session(config, name)

    run_session(open_session, main)
