"""The settings as switches, as XScreenSaver's settings panel gives them: the generated quorvane.xml
uses only the panel's own elements and attributes; every widget's switch is accepted and changes
one of the settings --print-settings reports. A run with
-display NAME (no $DISPLAY) and switches shows their effect over the settings file, and the file
gets the game number back and none of the switches."""

import subprocess
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from board_image import ink_box, squares_are_skin_cells
from native import run_test

# What XScreenSaver's panel reads in a module's description (as in its own modules' files).
ATTRIBUTES = {
    "command": {"arg"},
    "file": {"id", "_label", "arg"},
    "string": {"id", "_label", "arg"},
    "boolean": {"id", "_label", "arg-set", "arg-unset"},
    "select": {"id"},
    "option": {"id", "_label", "arg-set"},
    "number": {"id", "type", "arg", "_label", "_low-label", "_high-label", "low", "high",
               "default"},
    "_description": set(),
}
BLUE = (0, 0, 255)
INFO_BANDS = [(256, 88, 768, 128), (256, 640, 768, 752)]


def program(session, *args):
    return subprocess.run([session.config["quorvane"], *args], env=session.env,
                          capture_output=True, text=True, timeout=30)


def widget_runs(root):
    """Each widget's switch words with a value of the right kind, as the panel would write them."""
    for element in root.iter():
        if element.tag == "boolean":
            yield element.get("id"), (element.get("arg-set") or element.get("arg-unset")).split()
        elif element.tag == "option" and element.get("arg-set"):
            yield element.get("id"), element.get("arg-set").split()
        elif element.tag in ("file", "string"):
            value = "/tmp/games.pgn" if element.tag == "file" else "#123456"
            yield element.get("id"), element.get("arg").replace("%", value).split()
        elif element.tag == "number":
            yield element.get("id"), element.get("arg").replace("%", element.get("high")).split()


def check_description(session, description):
    root = ElementTree.parse(description).getroot()
    session.require(root.tag == "screensaver" and root.get("name") == "quorvane",
                    f"not the module's description: <{root.tag} {root.attrib}>")
    for element in root.iter():
        if element is root:
            continue
        session.expect(element.tag in ATTRIBUTES, f"<{element.tag}> is no element of the panel")
        unknown = set(element.attrib) - ATTRIBUTES.get(element.tag, set())
        session.expect(not unknown, f"<{element.tag} id={element.get('id')}>: {unknown}")
    session.expect(any(e.get("arg") == "--root" for e in root.iter("command")),
                   "no <command arg=\"--root\"/>")
    return root


def check_widget_switches(session, root):
    baseline = program(session, "--root", "--print-settings")
    session.require(baseline.returncode == 0, f"--print-settings failed: {baseline.stderr}")
    runs = list(widget_runs(root))
    session.expect(len(runs) >= 10, f"only {len(runs)} widgets")
    for widget, words in runs:
        result = program(session, "--root", *words, "--print-settings")
        session.expect(result.returncode == 0,
                       f"{widget}: {' '.join(words)} refused: {result.stderr.strip()}")
        changed = set(result.stdout.splitlines()) - set(baseline.stdout.splitlines())
        session.expect(len(changed) == 1,
                       f"{widget}: {' '.join(words)} should change one setting, changed {changed}")
    refused = program(session, "--root", "--pause", "7")
    session.expect(refused.returncode == 2 and "--pause" in refused.stderr,
                   f"a bad value: exit code {refused.returncode}, {refused.stderr.strip()}")


def check_run(session):
    settings = "Random skin=0\nName of skin=Walnut.bmp\nTime mode=2\n"
    session.write_settings(settings)
    display = session.env.pop("DISPLAY")
    slate = session.skin("Slate.bmp")
    saver = session.start("-root", "-display", display, "--skin", "Slate.bmp", "--background",
                          "#0000ff", "--no-info")
    image = session.wait_for(
        lambda im: im.getpixel((5, 5)) == BLUE and squares_are_skin_cells(im, slate), timeout=10)
    session.expect(image is not None, "no Slate board on blue with -display and the switches")
    if image is not None:
        for band in INFO_BANDS:
            session.expect(ink_box(image, band, BLUE) is None, f"--no-info: text in {band}")
    session.stop(saver, what="switches")
    session.expect(session.read_settings() == settings + "Current game number=0\n",
                   f"the settings file after the run: {session.read_settings()!r}")


def main(session):
    description = Path(session.config["build"]) / "apps" / "linux" / "quorvane.xml"
    session.require(description.is_file(), f"{description} was not generated")
    root = check_description(session, description)
    check_widget_switches(session, root)
    session.expect(not session.settings_file.exists(), "--print-settings wrote the settings file")
    check_run(session)


if __name__ == "__main__":
    run_test(main)
