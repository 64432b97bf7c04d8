"""Measures the full-screen saver's CPU time and peak memory under Wine.

Plays Quorvane.scr /s with "Time mode" 0 (a step every second) on a game file (--file: "real",
16 MiB made by concatenating the shared PGN files; "giant", one game filling 16 MiB; or "default",
the small file the installer ships), next to an idle Wine process (a program that only waits in its
message loop) started in the same prefix at the same time. Both are read from /proc/<pid>/stat
(user + system time) and /proc/<pid>/status (VmHWM, the peak resident size). Two runs, one after
the other: the classic saver at 1024 x 768, and at 1920 x 1080 with "Fit board" and "Animate moves"
on (a board of 90-pixel cells and a quarter-second slide at every step).
Targets, for each run: the saver's CPU above the idle process under 1% of one core; its peak under
64 MiB. Exits 0 when every target is met, 1 when one is missed, 77 when the shared PGN files are
absent. --quick (for the test command) plays each run 3 s on the default file and fails only when
the saver does not run or does not end cleanly: seconds are too few for the targets.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from e2e import SETTINGS_KEY, expand_key, reg_data, wine_environment  # noqa: E402
from xsession import ON_SCREEN, TO_EXIT, VirtualDisplay, grab  # noqa: E402

MiB = 1 << 20
TICK = os.sysconf("SC_CLK_TCK")
CPU_TARGET = 1.0  # percent of one core, above the idle process
MEMORY_TARGET = 64  # MiB
PROGRAM = r"C:\Program Files\Brenholt\Quorvane"
# name, screen, extra settings
RUNS = (
    ("classic", (1024, 768), {}),
    ("fitted and animated", (1920, 1080), {"Fit board": 1, "Animate moves": 1}),
)


def big_game_file(shared, size):
    """The shared PGN files one after another, repeated, cut at the last game start before size
    bytes so that no game is cut in two."""
    files = sorted(shared.rglob("*.pgn"))
    if not files:
        return None
    chunks, total = [], 0
    while total < size:
        for path in files:
            data = path.read_bytes().rstrip(b"\r\n") + b"\n\n"
            chunks.append(data)
            total += len(data)
    text = b"".join(chunks)[:size]
    cut = text.rfind(b"\n[")
    return text[:cut + 1] if cut > 0 else text


def giant_game_file(size):
    """One game of size bytes: knights out and back, with comments and variations, past the 400
    plies the saver keeps."""
    dance = b"{out and back} Nf3 Nf6 (Nc3 Nc6) Ng1 Ng8 "
    head = b'[White "Giant"]\n[Black "Game"]\n\n'
    return head + dance * ((size - len(head) - 4) // len(dance)) + b"*\n"


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK  # utime, stime


def peak_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return 0.0


def process_name(pid):
    return Path(f"/proc/{pid}/comm").read_text().strip()


def find_process(prefix, *names):
    """The pid of a process of one of the given names (as Linux shows them, at most 15
    characters) that runs in this prefix, or None."""
    for proc in Path("/proc").iterdir():
        if proc.name.isdigit():
            try:
                if (proc / "comm").read_text().strip() in [n[:15] for n in names] and \
                        f"WINEPREFIX={prefix}".encode() in (proc / "environ").read_bytes():
                    return int(proc.name)
            except OSError:
                continue
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=str(ROOT / "build" / "win64"))
    parser.add_argument("--shared", default=str(ROOT.parent / "shared" / "pgn"))
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--game", type=int, default=0, help='"Current game number" to start at')
    parser.add_argument("--file", choices=("real", "giant", "default"), default="real",
                        help="the game file played (see above)")
    parser.add_argument("--quick", action="store_true",
                        help="3 s of each run on the default file, for the test command: the "
                        "figures are printed, and only a saver that does not run or does not end "
                        "cleanly fails")
    parser.add_argument("--fitted-screen", default="1920x1080", metavar="WxH",
                        help="the screen of the fitted and animated run (3840x2160 for 4K)")
    args = parser.parse_args()
    width, height = (int(n) for n in args.fitted_screen.split("x"))
    runs = (RUNS[0], (RUNS[1][0], (width, height), RUNS[1][2]))
    if args.quick:
        args.seconds, args.file = 3, "default"

    build = Path(args.build).resolve()
    idle = next(build.glob("**/quorvane_e2e_idle.exe"), None)
    launch = next(build.glob("**/quorvane_e2e_launch.exe"), None)
    stage = build / "stage"
    if idle is None or launch is None or not stage.is_dir():
        print(f"bench: build quorvane_stage, quorvane_e2e_idle and quorvane_e2e_launch "
              f"in {build} first")
        return 2
    if args.file == "default":
        pgn = (ROOT / "games" / "varnoth.pgn").read_bytes()
    elif args.file == "giant":
        pgn = giant_game_file(16 * MiB)
    else:
        pgn = big_game_file(Path(args.shared), 16 * MiB)
    if pgn is None:
        print(f"bench: no PGN files under {args.shared}; skipped")
        return 77
    print(f"game file ({args.file}): {len(pgn):,} bytes; start game {args.game}; "
          f"{args.seconds} s measured once the board is on screen")
    work = build / "bench-saver"
    prefix = make_prefix(work, stage, pgn)
    results = [measure(work, prefix, idle, launch, args, run) for run in runs]
    print()
    print(f"{'run':<22} {'screen':>11} {'cpu above idle':>15} {'peak memory':>12}")
    for (name, screen, _), result in zip(runs, results):
        if result is None:
            print(f"{name:<22} {screen[0]:>5} x {screen[1]:<4} {'did not run':>15}")
            continue
        print(f"{name:<22} {screen[0]:>5} x {screen[1]:<4} {result[1]:>13.3f} % "
              f"{result[2]:>8.1f} MiB")
    ran = all(result is not None and result[3] for result in results)
    met = ran and all(result[0] for result in results)
    if args.quick:
        print("quick run: the saver ran and ended cleanly" if ran else "THE SAVER DID NOT RUN")
        return 0 if ran else 1
    print("targets met" if met else "TARGET MISSED")
    return 0 if met else 1


def make_prefix(work, stage, pgn):
    """One prefix with the saver installed, the game file as its default games, for every run."""
    prefix = work / "prefix"
    subprocess.run(["wineserver", "-k"], env=wine_environment(prefix), stderr=subprocess.DEVNULL)
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    (work / "bench.pgn").write_bytes(pgn)
    subprocess.run([str(ROOT / "scripts" / "install-into-prefix.sh"), "--prefix", str(prefix),
                    "--stage", str(stage), "--pgn", str(work / "bench.pgn")],
                   env=wine_environment(prefix), check=True)
    return prefix


def board_on_screen(display, launcher):
    """Waits until the saver has drawn its first frame (start-up, reading and scanning the file,
    is counted apart from the steady play); False when it ends or draws nothing in time."""
    deadline = time.monotonic() + ON_SCREEN
    while time.monotonic() < deadline and launcher.poll() is None:
        if grab(display).getbbox() is not None:
            return True
        time.sleep(0.1)
    return False


def measure(work, prefix, idle, launch, args, run):
    """One run of the saver; returns (targets met, cpu above idle in %, peak MiB, ran cleanly) or
    None."""
    name, screen, extra = run
    print(f"\n== {name}, {screen[0]} x {screen[1]}", flush=True)
    settings = {"Time mode": 0, "Show info": 1, "Current game number": args.game,
                "Path to PGN file": PROGRAM + r"\varnoth.pgn", "Fit board": 0,
                "Animate moves": 0, **extra}
    reg = ["Windows Registry Editor Version 5.00", "",
           "[" + expand_key(SETTINGS_KEY) + "]"]
    reg += [f'"{name}"={reg_data(value)}' for name, value in settings.items()]
    (work / "settings.reg").write_text("\r\n".join(reg) + "\r\n")

    log = open(work / "wine.log", "ab")
    display = VirtualDisplay((screen,), log)
    env = wine_environment(prefix, display.name)
    processes = []
    try:
        subprocess.run(["wineserver", "-p"], env=env, check=True)
        subprocess.run(["wine", "regedit", "/S", "Z:" + str(work / "settings.reg")], env=env,
                       check=True, stdout=log, stderr=log)
        subprocess.run(["xdotool", "mousemove", str(screen[0] // 2), str(screen[1] // 2)],
                       env=env, check=True)
        idle_process = subprocess.Popen(["wine", "Z:" + str(idle)], env=env, stdout=log,
                                        stderr=log)
        # Started as the desktop settings start it: CreateProcess of the path and the switch.
        launcher = subprocess.Popen(["wine", "Z:" + str(launch), r"C:\windows\system32\Quorvane.scr",
                                     "/s"], env=env, stdout=log, stderr=log)
        processes = [launcher, idle_process]
        shown = board_on_screen(display.name, launcher)
        saver = find_process(prefix, "Quorvane.scr")
        idle_pid = find_process(prefix, idle.name)
        server = find_process(prefix, "wineserver", "wineserver64")
        if not shown or saver is None or idle_pid is None:
            print(f"bench: the saver ({saver}, on screen: {shown}) or the idle process "
                  f"({idle_pid}) is not running")
            return None
        pids = (saver, idle_pid)
        before = {pid: cpu_seconds(pid) for pid in pids}
        server_before = cpu_seconds(server) if server else 0.0
        started = time.monotonic()
        time.sleep(args.seconds)
        elapsed = time.monotonic() - started
        after = {pid: cpu_seconds(pid) for pid in pids}
        server_after = cpu_seconds(server) if server else 0.0
        peaks = {pid: peak_mib(pid) for pid in pids}
        names = {pid: process_name(pid) for pid in pids}
        running = launcher.poll() is None
        subprocess.run(["xdotool", "key", "space"], env=env)
        try:
            code = launcher.wait(TO_EXIT)
        except subprocess.TimeoutExpired:
            code = None
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        display.stop()
        log.close()

    def percent(pid):
        return 100 * (after[pid] - before[pid]) / elapsed

    saver_cpu, idle_cpu = percent(saver), percent(idle_pid)
    above_idle = saver_cpu - idle_cpu
    print(f"{elapsed:.1f} s measured once the board was on screen")
    print(f"saver ({names[saver]}, pid {saver}): cpu {after[saver]:.2f} s in all, "
          f"{saver_cpu:.3f}% of one core while playing; peak memory {peaks[saver]:.1f} MiB")
    print(f"idle  ({names[idle_pid]}, pid {idle_pid}): "
          f"{idle_cpu:.3f}% of one core; peak memory {peaks[idle_pid]:.1f} MiB")
    if server:
        print(f"wineserver (shared by both): "
              f"{100 * (server_after - server_before) / elapsed:.3f}% of one core")
    print(f"saver above idle: {above_idle:.3f}% of one core (target < {CPU_TARGET}%); "
          f"peak {peaks[saver]:.1f} MiB (target < {MEMORY_TARGET} MiB); "
          f"still running at the end: {running}; exit code after a key: {code}")
    clean = running and code == 0
    met = above_idle < CPU_TARGET and peaks[saver] < MEMORY_TARGET and clean
    return met, above_idle, peaks[saver], clean


if __name__ == "__main__":
    sys.exit(main())
