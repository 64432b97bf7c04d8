"""Makes the template Wine prefix that every end-to-end test copies: a fresh prefix with the saver
installed as the installer lays it out. With --remove, deletes it and the tests' prefixes again."""

import shutil
import subprocess
import sys
import time
from pathlib import Path

from e2e import load_config, wine_environment


def main():
    config = load_config(sys.argv[1])
    template = Path(config["template"])
    work = Path(config["work"])
    subprocess.run(["wineserver", "-k"], env=wine_environment(template),
                   stderr=subprocess.DEVNULL)
    shutil.rmtree(template, ignore_errors=True)
    if "--remove" in sys.argv:
        # Only the prefixes; a failed test's screenshots and log stay for reading.
        for prefix in work.glob("*/prefix"):
            shutil.rmtree(prefix, ignore_errors=True)
        return 0
    started = time.monotonic()
    result = subprocess.run(
        [config["install"], "--prefix", str(template), "--stage", config["stage"]],
        env=wine_environment(template))
    print(f"template prefix {template}: made in {time.monotonic() - started:.1f} s")
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())
