"""Without a readable "Install path" every run mode, /c and /a included, shows the damaged-registry
message box (caption Quorvane, stop icon, OK) and ends with exit code 1 once it is closed."""

from e2e import MACHINE_KEY, ON_SCREEN, RawValue, run_test

MESSAGE = "Registry information is damaged. Please reinstall screen saver"
MODES = [("/s",), ("/p", "1234"), ("/c:1234",), ("/a", "1234"), ()]
# Values that are there but cannot be read as the folder: another type, or longer than 259
# characters.
UNREADABLE = [
    ("a DWORD", RawValue(4, bytes(4))),
    ("300 characters", "C:\\" + "x" * 297),
]


def shows_message(session, switches, what):
    saver = session.start_saver(*switches)
    box = session.wine_run([session.harness("read_box"), "Quorvane", str(ON_SCREEN * 1000), "press"],
                           check=False)
    lines = box.stdout.splitlines()
    session.note(f"{what}: {lines}")
    session.expect(box.returncode == 0, f"{what}: no message box with the caption Quorvane")
    if box.returncode == 0:
        session.expect(f"text {MESSAGE}" in lines, f"{what}: the box says {lines}")
        buttons = [line for line in lines if line.startswith("button")]
        session.expect(buttons == ["button OK"], f"{what}: buttons {buttons}, expected OK alone")
        session.expect("icon" in lines, f"{what}: the box shows no icon")
    code = session.wait_exit(saver)
    session.expect(code == 1, f"{what}: exit code {code}, expected 1")
    if code is None:
        saver.kill()


def main(session):
    session.import_registry({MACHINE_KEY: {"Install path": None}})
    for switches in MODES:
        shows_message(session, switches, "missing value, " + (" ".join(switches) or "no switch"))
    for what, value in UNREADABLE:
        session.import_registry({MACHINE_KEY: {"Install path": value}})
        shows_message(session, ("/s",), f"Install path of {what}")


if __name__ == "__main__":
    run_test(main)
