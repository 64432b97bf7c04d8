"""A fresh Wine prefix with nothing installed and a private virtual display, for running the real
Quorvane-Setup.exe and the uninstaller it leaves behind. Built on the end-to-end framework's
display, screen and registry helpers; only the prefix differs (a new one instead of a copy of the
template that already has the saver)."""

import json
import shutil
import subprocess
import sys
import time
from pathlib import Path

CONFIG = json.loads(Path(sys.argv[1]).read_text(encoding="utf-8"))
sys.path.insert(0, CONFIG["e2e"])

import e2e  # noqa: E402  (the path above makes it importable)

PROGRAM_DIR = r"C:\Program Files\Brenholt\Quorvane"
SCR_PATH = r"C:\windows\system32\Quorvane.scr"
MACHINE_KEY = r"HKLM\Software\Brenholt\Quorvane"
SETTINGS_KEY = r"HKCU\Software\Brenholt\Quorvane"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


class InstallerSession(e2e.Session):
    def __init__(self, name):
        # An e2e session whose prefix starts empty rather than as a copy of the template.
        super().__init__(CONFIG, name, template=None)
        started = time.monotonic()
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=self.log, stderr=self.log,
                       check=True, timeout=300)
        self.settle()
        self.note(f"fresh prefix in {time.monotonic() - started:.1f} s")

    def settle(self):
        """Waits until every program of the prefix has ended: the uninstaller runs as a copy of
        itself that outlives the program started."""
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=120)

    def run_setup(self, *switches):
        """Runs the setup program with the switches joined by blanks, unquoted, as a user types
        them: NSIS reads /D= up to the end of the line, blanks included."""
        path = self.dir / "Quorvane-Setup.exe"
        shutil.copyfile(CONFIG["setup"], path)
        program = "Z:" + str(path).replace("/", "\\")
        result = self.wine_run([self.harness("launch"), program, *switches], check=False,
                               timeout=120)
        self.settle()
        return result.returncode

    def run_registered_uninstall(self, *extra):
        """Runs the uninstaller the way Add/Remove Programs does for a quiet removal: the
        registered QuietUninstallString, here split into program and switches."""
        found = self.reg_query(UNINSTALL_KEY, "QuietUninstallString")
        self.require(found is not None, "no QuietUninstallString registered")
        command = found[1]
        self.require(command.startswith('"'), f"QuietUninstallString {command!r} is not quoted")
        program, switches = command[1:].split('"', 1)
        result = self.wine_run([program, *switches.split(), *extra], check=False, timeout=120)
        self.settle()
        return result.returncode

    def exists(self, windows_path):
        return self.unix_path(windows_path).exists()

    def machine_value(self, key, name):
        found = self.reg_query(key, name)
        return None if found is None else found[1]


def run(main):
    """Runs main(session) and exits 0 (passed), 1 (failed) or 77 (skipped, no setup program)."""

    def open_session(name):
        if not Path(CONFIG["setup"]).exists():
            raise e2e.SkipTest(f"{CONFIG['setup']} does not exist")
        return InstallerSession(name)

    e2e.run_session(open_session, main)
