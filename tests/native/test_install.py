"""cmake --install under another prefix than the configured one (no DESTDIR) lays the program out as
XScreenSaver on Debian expects: the module in libexec/xscreensaver, its description in
share/xscreensaver/config, its desktop entry naming it by its full path, the manual pages, the
helper that lists it in ~/.xscreensaver, the skins and games in share/quorvane. Run from there,
with no QUORVANE_DATA_DIR, the program plays from that prefix's data folder, which alone holds the
skin it is told to use."""

import os
import subprocess
from pathlib import Path

from PIL import ImageOps

from board_image import Skin, squares_are_skin_cells
from native import run_test

OWN_SKIN = "Elsewhere.bmp"


def install(session, prefix):
    env = dict(os.environ)
    env.pop("DESTDIR", None)
    result = subprocess.run([session.config["cmake"], "--install", session.config["build"],
                             "--prefix", str(prefix)], env=env, capture_output=True, text=True)
    session.require(result.returncode == 0, f"cmake --install failed: {result.stderr}")


def main(session):
    prefix = session.dir / "elsewhere"
    session.require(str(prefix) != session.config["prefix"], "the prefix is the configured one")
    install(session, prefix)
    module = prefix / "libexec" / "xscreensaver" / "quorvane"
    data = prefix / "share" / "quorvane"
    desktop = prefix / "share" / "applications" / "screensavers" / "quorvane.desktop"
    expected = [module, prefix / "share" / "xscreensaver" / "config" / "quorvane.xml", desktop,
                prefix / "share" / "man" / "man6" / "quorvane.6x.gz",
                prefix / "share" / "man" / "man1" / "quorvane-add-to-xscreensaver.1.gz",
                prefix / "bin" / "quorvane-add-to-xscreensaver",
                prefix / "share" / "doc" / "quorvane" / "copyright", data / "varnoth.pgn"]
    expected += [data / "Skin" / bitmap.name
                 for bitmap in Path(session.config["skins"]).glob("*.bmp")]
    for path in expected:
        session.expect(path.is_file(), f"not installed: {path.relative_to(prefix)}")
    session.expect(os.access(module, os.X_OK), "the module is not executable")
    description = (prefix / "share" / "xscreensaver" / "config" / "quorvane.xml").read_text()
    session.expect('name="quorvane"' in description and '_label="Quorvane"' in description,
                   "the XScreenSaver description does not name the module")
    session.expect(f"\nExec={module} --root\n" in desktop.read_text(),
                   f"the desktop entry does not run {module}")

    # A skin no other data folder has: the installed ones' colours turned over.
    skin_folder = data / "Skin"
    own = ImageOps.invert(Skin(next(skin_folder.glob("*.bmp"))).image)
    own.save(skin_folder / OWN_SKIN)
    session.write_settings(f"Random skin=0\nName of skin={OWN_SKIN}\n")
    session.env.pop("QUORVANE_DATA_DIR")
    saver = session.start("-root", program=str(module))
    image = session.wait_for(lambda im: squares_are_skin_cells(im, Skin(skin_folder / OWN_SKIN)))
    session.expect(image is not None, "the installed program shows no board of its own data's skin")
    session.stop(saver, what="installed program")


if __name__ == "__main__":
    run_test(main)
