"""Measures the native program's processor use at one move per second.

Runs `quorvane -root` on a private Xvfb (--size, default 1024 x 768) with "Time mode" 0 (a step
every second) and any other settings lines (--set) on the supplied games, for --seconds (default
60), and reads /proc/<pid>/stat (user + system time) of the program and of the X server, whose
share is the drawing the program asks of it. Target: the program under 0.5 % of one core. Exits 0
when met, 1 when missed.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from xsession import ON_SCREEN, VirtualDisplay, grab  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")
CPU_TARGET = 0.5  # percent of one core


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK  # utime, stime


def peak_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--quick", action="store_true",
                        help="3 s, for the test command: the figures are printed, and only a "
                        "program that does not run or does not end cleanly fails")
    parser.add_argument("--build", default=str(ROOT / "build" / "native"))
    parser.add_argument("--size", default="1024x768", help="the virtual screen, WIDTHxHEIGHT")
    parser.add_argument("--set", action="append", default=[], metavar="NAME=VALUE",
                        help="a settings line beside Time mode=0, such as 'Fit board=1'")
    args = parser.parse_args()
    if args.quick:
        args.seconds = 3
    build = Path(args.build)
    program = build / "quorvane"
    skins = build / "skins"
    with tempfile.TemporaryDirectory(prefix="quorvane-bench-") as work:
        work = Path(work)
        (work / "data" / "Skin").mkdir(parents=True)
        for bitmap in skins.glob("*.bmp"):
            shutil.copy(bitmap, work / "data" / "Skin")
        for scale in skins.glob("x*"):  # the larger drawings, where the build makes them
            shutil.copytree(scale, work / "data" / "Skin" / scale.name)
        shutil.copy(ROOT / "games" / "varnoth.pgn", work / "data")
        settings = work / "quorvane.conf"
        settings.write_text("".join(f"{line}\n" for line in ["Time mode=0", *args.set]))
        width, height = (int(n) for n in args.size.split("x"))
        with open(work / "log", "ab") as log:
            display = VirtualDisplay(((width, height),), log)
            env = dict(os.environ, DISPLAY=display.name, QUORVANE_DATA_DIR=str(work / "data"))
            saver = subprocess.Popen([str(program), "-root", "--config", str(settings)], env=env,
                                     stdout=log, stderr=log)
            try:
                # Past the start-up: loading, the first frame.
                first_frame(display.name, saver)
                start = (time.monotonic(), cpu_seconds(saver.pid),
                         cpu_seconds(display.process.pid))
                time.sleep(args.seconds)
                end = (time.monotonic(), cpu_seconds(saver.pid), cpu_seconds(display.process.pid))
                peak = peak_mib(saver.pid)
            finally:
                saver.send_signal(signal.SIGTERM)
                code = saver.wait(10)
                display.stop()
    wall = end[0] - start[0]
    saver_share = 100 * (end[1] - start[1]) / wall
    server_share = 100 * (end[2] - start[2]) / wall
    extra = "; " + ", ".join(args.set) if args.set else ""
    print(f"quorvane -root, {width} x {height}, a step every second{extra}, {wall:.0f} s:")
    print(f"  quorvane  {saver_share:6.3f} % of one core (target < {CPU_TARGET} %), "
          f"peak {peak:.1f} MiB, exit code {code}")
    print(f"  Xvfb      {server_share:6.3f} % of one core (drawing on its behalf)")
    print(f"  (clock ticks of {1000 / TICK:.0f} ms: +/- {100 / TICK / wall:.3f} % per process)")
    met = saver_share < CPU_TARGET or args.quick
    sys.exit(0 if met and code == 0 else 1)


def first_frame(display, saver):
    """Waits until the program has drawn something; fails when it ends first or draws nothing
    within ON_SCREEN seconds."""
    deadline = time.monotonic() + ON_SCREEN
    while time.monotonic() < deadline and saver.poll() is None:
        if grab(display).getbbox() is not None:
            return
        time.sleep(0.1)
    raise SystemExit(f"bench: quorvane drew nothing (exit code {saver.poll()})")


if __name__ == "__main__":
    main()
