"""The native program's screen tests: one private Xvfb, data folder and settings folder per test,
quorvane started as XScreenSaver or a user starts it, the screen read back through screenshots.

Every test script calls run_test(main) with the build's native-config.json as its only argument;
main gets a Session. The board pictures and the virtual display come from the Wine tests' helpers.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback
from pathlib import Path

from PIL import ImageGrab

from board_image import Skin, ink_box
from e2e import TestFailure

HERE = Path(__file__).resolve().parent

SKIP = 77
SCREEN = (1024, 768)
DATA_DIR = HERE.parent / "e2e" / "data"


class VirtualDisplay:
    """A private Xvfb; -displayfd lets the server pick a free display number. -noreset: a server
    that resets when its last client leaves refuses the next one for a moment, and the tests
    connect and leave often (every screenshot). Its messages go to log."""

    def __init__(self, log, size=SCREEN):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24",
             "-nolisten", "tcp", "-br", "-noreset"],
            pass_fds=(write_end,), stdout=log, stderr=log)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip():
            self.stop()
            raise TestFailure("the virtual display did not start")
        self.name = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()


class Session:
    def __init__(self, config, name):
        self.config = config
        self.name = name
        self.dir = Path(config["work"]) / name
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        self.failures = []
        self.shots = 0
        self.processes = []
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
        self.log = open(self.dir / "quorvane.log", "ab")
        self.display = VirtualDisplay(self.log)
        self.env = dict(os.environ, DISPLAY=self.display.name, QUORVANE_DATA_DIR=str(self.data),
                        XDG_CONFIG_HOME=str(self.config_home), HOME=str(self.dir))
        self.env.pop("XSCREENSAVER_WINDOW", None)

    def fresh_screen(self, size=SCREEN):
        """A new display (of the given size) for the next run: what -root drew stays on the root
        window after the program ends, and the next run's first screenshot must not find it."""
        self.display.stop()
        self.display = VirtualDisplay(self.log, size)
        self.env["DISPLAY"] = self.display.name

    def close(self, keep):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.display.stop()
        self.log.close()
        if not keep:
            shutil.rmtree(self.dir, ignore_errors=True)

    # checks

    def expect(self, condition, message):
        """A soft check: the test goes on, and fails at its end."""
        if not condition:
            self.failures.append(message)
            print(f"FAILED: {message}", flush=True)
        return condition

    def require(self, condition, message):
        if not condition:
            raise TestFailure(message)

    def note(self, message):
        print(message, flush=True)

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
        env = dict(self.env)
        env.update(env_extra or {})
        process = subprocess.Popen([program or self.config["quorvane"], *args], env=env,
                                   stdout=self.log, stderr=self.log)
        self.processes.append(process)
        return process

    @staticmethod
    def wait_exit(process, timeout):
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self, process, sig=signal.SIGTERM, what=""):
        """Sends sig and checks that the program ends with exit code 0."""
        self.expect(process.poll() is None,
                    f"{what}: the program ended (exit code {process.poll()}) before it was told")
        if process.poll() is None:
            process.send_signal(sig)
        code = self.wait_exit(process, 10)
        self.expect(code == 0, f"{what}: exit code {code} after {sig.name}, expected 0")
        return code

    # screen and input

    def screenshot(self, label=None):
        image = ImageGrab.grab(xdisplay=self.display.name)
        if label:
            self.shots += 1
            image.save(self.dir / f"{self.shots:02d}-{label}.png")
        return image

    def wait_for(self, predicate, timeout, interval=0.1):
        """Screenshots until predicate(image) is true; returns that image or None."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            image = self.screenshot()
            if predicate(image):
                return image
            time.sleep(interval)
        return None

    def wait_for_ink(self, box, timeout=8, background=(0, 0, 0)):
        return self.wait_for(lambda image: ink_box(image, box, background) is not None, timeout)

    def xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=check,
                              capture_output=True, text=True).stdout


def run_test(main):
    """Runs main(session); prints the outcome and exits with 0 (passed), 1 (failed) or 77
    (skipped)."""
    with open(sys.argv[1], encoding="utf-8") as f:
        config = json.load(f)
    name = Path(sys.argv[0]).stem
    if not Path(config["quorvane"]).exists():
        print(f"SKIP: {config['quorvane']} does not exist")
        sys.exit(SKIP)
    started = time.monotonic()
    session = Session(config, name)
    ok = False
    try:
        main(session)
        ok = not session.failures
    except TestFailure as failure:
        print(f"FAILED: {failure}", flush=True)
        session.screenshot("at-failure")
    except SkipTest as skip:
        print(f"SKIP: {skip}", flush=True)
        session.close(keep=False)
        sys.exit(SKIP)
    except Exception:
        traceback.print_exc()
        session.screenshot("at-error")
    finally:
        if session.log and not session.log.closed:
            # QUORVANE_E2E_KEEP=1 keeps a passed test's screenshots too.
            session.close(keep=not ok or os.environ.get("QUORVANE_E2E_KEEP") == "1")
    elapsed = time.monotonic() - started
    if ok:
        print(f"{name}: passed in {elapsed:.1f} s")
        sys.exit(0)
    print(f"{name}: failed in {elapsed:.1f} s; screenshots and log in {session.dir}")
    sys.exit(1)


class SkipTest(Exception):
    pass
