"""cmake --install (into a staging folder through DESTDIR) lays the program out as XScreenSaver on
Debian expects: the module in libexec/xscreensaver, its description in share/xscreensaver/config,
the skins and games in share/quorvane; the installed program plays from that data folder."""

import os
import subprocess
from pathlib import Path

from board_image import Skin, squares_are_skin_cells
from native import run_test


def main(session):
    stage = session.dir / "stage"
    result = subprocess.run([session.config["cmake"], "--install", session.config["build"]],
                            env=dict(os.environ, DESTDIR=str(stage)), capture_output=True,
                            text=True)
    session.require(result.returncode == 0, f"cmake --install failed: {result.stderr}")
    root = Path(str(stage) + session.config["prefix"])
    module = root / "libexec" / "xscreensaver" / "quorvane"
    data = root / "share" / "quorvane"
    expected = [module, root / "share" / "xscreensaver" / "config" / "quorvane.xml",
                data / "varnoth.pgn"]
    expected += [data / "Skin" / bitmap.name for bitmap in Path(session.config["skins"]).glob("*.bmp")]
    for path in expected:
        session.expect(path.is_file(), f"not installed: {path.relative_to(stage)}")
    session.expect(os.access(module, os.X_OK), "the module is not executable")
    description = (root / "share" / "xscreensaver" / "config" / "quorvane.xml").read_text()
    session.expect('name="quorvane"' in description and '_label="Quorvane"' in description,
                   "the XScreenSaver description does not name the module")

    session.env["QUORVANE_DATA_DIR"] = str(data)
    saver = session.start("-root", program=str(module))
    skins = [Skin(path) for path in sorted((data / "Skin").glob("*.bmp"))]
    image = session.wait_for(lambda im: any(squares_are_skin_cells(im, s) for s in skins))
    session.expect(image is not None, "the installed program shows no board of an installed skin")
    session.stop(saver, what="installed program")


if __name__ == "__main__":
    run_test(main)
