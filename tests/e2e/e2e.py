"""The end-to-end framework: one isolated Wine + virtual display per test, the saver started the way
Windows starts it, and helpers to look at the screen, send real input and read the registry back.

Every test script calls run_test(main) with the build's e2e-config.json as its only argument; main
gets a Session. A Session owns a copy of the build's template prefix (the saver installed as the
installer lays it out) and its own Xvfb, so tests run in parallel and registry writes stay private.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from xsession import (ON_SCREEN, SCREEN, SKIP, TO_EXIT, SideBySideDisplay,  # noqa: F401
                      SkipTest, TestFailure, VirtualDisplay, XSession, run_session)

PROGRAM_DIR = r"C:\Program Files\Brenholt\Quorvane"
SCR_PATH = r"C:\windows\system32\Quorvane.scr"
SETTINGS_KEY = r"HKCU\Software\Brenholt\Quorvane"
MACHINE_KEY = r"HKLM\Software\Brenholt\Quorvane"
E2E_KEY = r"HKCU\Software\QuorvaneE2E"
DATA_DIR = Path(__file__).resolve().parent / "data"


def load_config(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


# --- the template prefix -------------------------------------------------------------------------


def wine_environment(prefix, display=None):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    if display:
        env["DISPLAY"] = display
    else:
        env.pop("DISPLAY", None)
    return env


def copy_prefix(template, target):
    """Copies a prefix; the large read-only part (Wine's DLLs) is hard-linked, everything Wine or a
    test may rewrite is copied. Wine replaces its registry files by renaming, never in place."""
    template, target = Path(template), Path(target)
    shared = template / "drive_c" / "windows"

    def link_or_copy(src, dst):
        if Path(src).is_relative_to(shared) and not src.endswith((".reg", ".log", ".ini")):
            os.link(src, dst)
        else:
            shutil.copy2(src, dst)

    shutil.copytree(template, target, symlinks=True, copy_function=link_or_copy)


# --- the session ---------------------------------------------------------------------------------


class Session(XSession):
    """A Wine prefix of the test's own on its virtual display. template: a prefix to copy (the
    build's, with the saver installed), or None for an empty one that the caller makes."""

    def __init__(self, config, name, screens=(SCREEN,), template="", display=None):
        # The first screen is the primary monitor and the X root: Xvfb puts every Xinerama head at
        # the origin, so further screens lie over the first one's corner.
        super().__init__(config["work"], name, screens, "wine.log", display)
        self.config = config
        self.prefix = self.dir / "prefix"
        template = config["template"] if template == "" else template
        if template is not None:
            copy_prefix(template, self.prefix)
        self.env = wine_environment(self.prefix, self.display.name)
        if template is not None:
            # One server for the whole session, so each program start is quick.
            subprocess.run(["wineserver", "-p"], env=self.env, check=True)
            if len(self.screens) > 1:
                self.use_xinerama_monitors()

    def use_xinerama_monitors(self):
        """Makes Wine report the X server's Xinerama heads as its monitors, rather than XRandR's
        one output. Wine reads the setting once, as its first program starts (the very program
        that writes it), so the session's Wine starts again after it."""
        self.import_registry({r"HKCU\Software\Wine\X11 Driver": {"UseXRandR": "N"}})
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)

    def close(self, keep):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        super().close(keep)
        shutil.rmtree(self.prefix, ignore_errors=True)

    # files inside the prefix

    def unix_path(self, windows_path):
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C"
        return self.prefix / "drive_c" / rest.replace("\\", "/").lstrip("/")

    def write_file(self, windows_path, data):
        path = self.unix_path(windows_path)
        path.parent.mkdir(parents=True, exist_ok=True)
        if path.exists():
            path.unlink()  # a fresh file: the template may share this one
        path.write_bytes(data if isinstance(data, bytes) else data.encode("latin-1"))
        return path

    def remove(self, windows_path):
        path = self.unix_path(windows_path)
        if path.is_dir():
            shutil.rmtree(path)
        elif path.exists():
            path.unlink()

    def skin_folder(self):
        return self.unix_path(PROGRAM_DIR + r"\Skin")

    def keep_only_skins(self, *names):
        """Removes every other skin, its larger drawings (in the x2, x4 folders) with it."""
        for entry in self.skin_folder().iterdir():
            for bitmap in entry.iterdir() if entry.is_dir() else [entry]:
                if bitmap.name not in names:
                    bitmap.unlink()

    def install_game_file(self, name, data):
        """Writes a PGN file into the program folder and returns its Windows path."""
        windows_path = PROGRAM_DIR + "\\" + name
        self.write_file(windows_path, data)
        return windows_path

    # registry

    def import_registry(self, entries):
        """entries: {key: {value name: value}}; an int is a REG_DWORD, a str a REG_SZ, None
        deletes the value, bytes with a leading type tag ("hex(N):") are written raw."""
        lines = ["Windows Registry Editor Version 5.00", ""]
        for key, values in entries.items():
            lines.append(f"[{expand_key(key)}]")
            for name, value in values.items():
                lines.append(f'"{name}"={reg_data(value)}')
            lines.append("")
        path = self.dir / "settings.reg"
        path.write_text("\r\n".join(lines) + "\r\n", encoding="utf-8")
        self.wine_run(["regedit", "/S", "Z:" + str(path).replace("/", "\\")])

    def set_settings(self, **values):
        """Per-user settings by their registry names, with spaces written as underscores."""
        self.import_registry({SETTINGS_KEY: {k.replace("_", " "): v for k, v in values.items()}})

    def reg_add(self, key, name, kind, data):
        self.wine_run(["reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f",
                       "/reg:64"])

    def reg_delete(self, key, name):
        self.wine_run(["reg", "delete", key, "/v", name, "/f", "/reg:64"], check=False)

    def reg_query(self, key, name):
        """Returns (type, value) of one value, or None when reg says it or its key is missing.
        REG_DWORD comes back as an int. Any other answer (a reg that failed to run, as happens on
        a busy machine) is asked again until the deadline, then fails the test."""
        deadline = time.monotonic() + ON_SCREEN
        while True:
            result = self.wine_run(["reg", "query", key, "/v", name, "/reg:64"], check=False)
            for line in result.stdout.splitlines():
                parts = line.strip("\r\n").lstrip(" ").split("    ", 2)
                if result.returncode == 0 and len(parts) == 3 and parts[0] == name:
                    kind, data = parts[1], parts[2]
                    if kind in ("REG_DWORD", "REG_QWORD"):
                        return kind, int(data, 16)
                    return kind, data
            if result.returncode == 1 and "Unable to find the specified registry" in result.stdout:
                return None
            self.note(f"reg query {key} /v {name}: exit code {result.returncode}, "
                      f"{result.stdout.strip()!r}; asking again")
            if time.monotonic() > deadline:
                raise TestFailure(f"reg query {key} /v {name} gave no answer")
            time.sleep(0.5)

    def setting(self, name):
        found = self.reg_query(SETTINGS_KEY, name)
        return None if found is None else found[1]

    # programs

    def wine_run(self, args, check=True, timeout=120, env=None):
        """Runs a Windows program to its end; returns it with its output in .stdout. The output
        goes through a file: Wine's background services may inherit a pipe and keep it open."""
        with tempfile.TemporaryFile(dir=self.dir) as output:
            result = subprocess.run(["wine"] + args, env=env or self.env, stdout=output,
                                    stderr=self.log, timeout=timeout)
            output.seek(0)
            result.stdout = output.read().decode("latin-1")
        if check and result.returncode != 0:
            raise TestFailure(f"wine {' '.join(args)} failed ({result.returncode})")
        return result

    def start(self, args, stdin=None, stdout=None, env_extra=None):
        return self.spawn(["wine"] + args, env_extra, stdin=stdin, stdout=stdout or self.log,
                          text=stdout is not None)

    def start_saver(self, *switches, env_extra=None):
        """Starts Quorvane.scr from the system folder with the given switches, as the desktop
        settings do (CreateProcess of the quoted path and the switches, through the launch
        harness: wine itself would hand a .scr to start.exe). The process returned ends with the
        saver's exit code."""
        self.park_pointer()
        return self.start([self.harness("launch"), SCR_PATH, *switches], env_extra=env_extra)

    def harness(self, key):
        """The Windows path (through drive Z:) of one of the harness programs."""
        return "Z:" + self.config[key].replace("/", "\\")

    def expect_running(self, process, what):
        return self.expect(process.poll() is None,
                           f"{what}: the saver ended (exit code {process.poll()}) while it "
                           "should still run")

    def end_with_key(self, process, what):
        """Ends a full-screen run with a key press and checks the exit code."""
        self.key("space")
        code = self.wait_exit(process)
        self.expect(code == 0, f"{what}: exit code {code} after a key, expected 0")
        return code

    def park_pointer(self):
        # Wine reports the cursor at the screen's centre until the first pointer event; putting
        # the pointer there keeps the saver's anchor and the real pointer in step.
        self.move_to(self.size[0] // 2, self.size[1] // 2)


class HostWindow:
    """The harness window that stands in for the settings' preview pane or for another
    application, spoken to line by line (commands: child, alive, front, destroy)."""

    def __init__(self, session, size, at):
        self.process = session.start([session.harness("host"), *map(str, size + at)],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        words = self.process.stdout.readline().split()
        session.require(len(words) == 2 and words[0] == "window",
                        f"the host window did not start: {words}")
        self.handle = words[1]

    def ask(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().split()


def expand_key(key):
    root, rest = key.split("\\", 1)
    roots = {"HKCU": "HKEY_CURRENT_USER", "HKLM": "HKEY_LOCAL_MACHINE"}
    return roots.get(root, root) + "\\" + rest


def reg_data(value):
    if value is None:
        return "-"
    if isinstance(value, bool):
        value = int(value)
    if isinstance(value, int):
        return f"dword:{value & 0xFFFFFFFF:08x}"
    if isinstance(value, RawValue):
        return f"hex({value.kind:x}):" + ",".join(f"{b:02x}" for b in value.data)
    return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'


class RawValue:
    """A registry value of any type, given as its bytes."""

    def __init__(self, kind, data):
        self.kind, self.data = kind, data


def colour_ref(red, green, blue):
    """A Windows colour value, 0x00BBGGRR."""
    return red | green << 8 | blue << 16


# --- running one test ----------------------------------------------------------------------------


def run_test(main, screens=(SCREEN,), side_by_side=False):
    """Runs main(session) with the build's configuration on a display of the given screens (with
    side_by_side, monitors left to right from the first, the primary); prints the outcome and
    exits with 0 (passed), 1 (failed) or 77 (skipped)."""
    config = load_config(sys.argv[1])

    def open_session(name):
        for key in ("scr", "template"):
            if not Path(config[key]).exists():
                raise SkipTest(f"{config[key]} does not exist")
        display = (lambda log: SideBySideDisplay(screens, log)) if side_by_side else None
        return Session(config, name, screens, display=display)

    run_session(open_session, main)
