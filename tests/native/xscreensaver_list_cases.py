"""quorvane-add-to-xscreensaver on ~/.xscreensaver files as XScreenSaver writes them: the
programs: value runs over lines that end in a backslash, each entry ending in a written "\\n".
Adding puts one entry after the others and nothing else changes; adding again, or removing what is
not there, leaves the file as it was; removing gives back the file from before the adding.

Usage: xscreensaver_list_cases.py SCRIPT"""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

SCRIPT = sys.argv[1]
ENTRY = '  "Quorvane"  quorvane --root  \\n'

# As xscreensaver-settings writes the list (tabs, a hidden GL entry, a named one).
LIST = ("# XScreenSaver Preferences File\nmode:\t\tone\nselected:\t2\n\n"
        "programs:\t\t\t\t\t\t\t\t      \\\n"
        "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
        "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
        '  "Qix (solid)" \tqix --root --solid\t\t\t    \\n\\\n'
        "\t\t\t\txspirograph --root\t\t\t    \\n\n"
        "\n\npointerPollTime:    0:00:05\n")
LIST_ADDED = LIST.replace("xspirograph --root\t\t\t    \\n\n",
                          "xspirograph --root\t\t\t    \\n\\\n" + ENTRY + "\n")
MINIMAL = "# XScreenSaver Preferences File\nmode:\t\tone\nselected:\t0\nprograms:" + ENTRY + "\n"

# (name, file before (None: no file), switches, file after (None: no file))
CASES = [
    ("no file: one with Quorvane alone", None, [], MINIMAL),
    ("a list: Quorvane after its last entry", LIST, [], LIST_ADDED),
    ("added twice: one entry", LIST_ADDED, [], LIST_ADDED),
    ("made, then added again", MINIMAL, [], MINIMAL),
    ("a last entry left open is closed first", "programs: qix --root\n", [],
     "programs: qix --root \\n\\\n" + ENTRY + "\n"),
    ("an empty list", "timeout: 0:10:00\nprograms:\nlock: False\n", [],
     "timeout: 0:10:00\nprograms:\\\n" + ENTRY + "\nlock: False\n"),
    ("no programs key: XScreenSaver's own list gives way", "timeout: 0:10:00\n", [],
     "timeout: 0:10:00\nprograms:" + ENTRY + "\n"),
    ("listed by path and hidden: already there",
     "programs: \\\n- /usr/libexec/xscreensaver/quorvane -root \\n\\\n  maze --root \\n\n", [],
     "programs: \\\n- /usr/libexec/xscreensaver/quorvane -root \\n\\\n  maze --root \\n\n"),
    ("a name like it is another program",
     'programs: \\\n  "quorvane" xquorvane --root \\n\n', [],
     'programs: \\\n  "quorvane" xquorvane --root \\n\\\n' + ENTRY + "\n"),
    ("removed: the file from before", LIST_ADDED, ["--remove"], LIST),
    ("removed from the middle, two to a line",
     "programs: \\\n  maze --root \\n quorvane --root \\n\\\n  qix --root \\n\n", ["--remove"],
     "programs: \\\n  maze --root \\n\\\n  qix --root \\n\n"),
    ("removed from the key's line", "programs: quorvane --root \\n\\\n  maze --root \\n\n",
     ["--remove"], "programs:\\\n  maze --root \\n\n"),
    ("removed the only entry: the key goes", MINIMAL, ["--remove"],
     "# XScreenSaver Preferences File\nmode:\t\tone\nselected:\t0\n"),
    ("nothing to remove", LIST, ["--remove"], LIST),
    ("no file to remove from", None, ["--remove"], None),
]


def run(home, switches):
    return subprocess.run(["sh", SCRIPT, *switches], env=dict(os.environ, HOME=str(home)),
                          capture_output=True, text=True)


def check_case(name, before, switches, after):
    with tempfile.TemporaryDirectory() as home:
        path = Path(home) / ".xscreensaver"
        if before is not None:
            path.write_text(before)
        result = run(home, switches)
        if result.returncode != 0:
            return [f"{name}: exit code {result.returncode}: {result.stderr.strip()}"]
        got = path.read_text() if path.exists() else None
        if got != after:
            return [f"{name}: the file reads\n{got!r}\nexpected\n{after!r}"]
        leftovers = [p.name for p in Path(home).iterdir() if p.name != ".xscreensaver"]
        return [f"{name}: left {leftovers} beside the file"] if leftovers else []


def check_link_and_mode():
    """A linked ~/.xscreensaver is edited where it lies, keeping the link and the file's mode."""
    with tempfile.TemporaryDirectory() as home:
        real = Path(home) / "dotfiles" / "xscreensaver"
        real.parent.mkdir()
        real.write_text(LIST)
        real.chmod(0o600)
        link = Path(home) / ".xscreensaver"
        link.symlink_to(real)
        result = run(home, [])
        failures = []
        if result.returncode != 0 or not link.is_symlink() or real.read_text() != LIST_ADDED:
            failures.append(f"linked file: not edited through the link ({result.stderr.strip()})")
        if real.stat().st_mode & 0o777 != 0o600:
            failures.append(f"linked file: mode {real.stat().st_mode & 0o777:o}, expected 600")
        return failures


def main():
    failures = []
    for case in CASES:
        failures += check_case(*case)
    failures += check_link_and_mode()
    bad = run(tempfile.gettempdir(), ["--frobnicate"])
    if bad.returncode != 2 or "Usage" not in bad.stderr:
        failures.append(f"an unknown switch: exit code {bad.returncode}, expected 2 and the usage")
    for failure in failures:
        print(f"FAILED: {failure}")
    print(f"{len(CASES) + 2 - len(failures)} of {len(CASES) + 2} checks passed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
