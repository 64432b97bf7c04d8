"""Processor time of a command, for the benchmark scripts: user + system seconds of the command and
its children, from the kernel's accounting (microseconds, not the wall clock, which on a busy
machine measures the neighbours too). Prints the least of --runs measurements, each the mean of
--repeat runs in a row.

A run whose exit status is not among --ok (default 0) fails the measurement: it prints the
command, its status and the end of its error output, and exits with 3, so that a benchmark
cannot publish the time of a crash.

Usage: cpu_time.py [--runs N] [--repeat N] [--ok 0,1] [--timeout S] -- COMMAND [ARG...]
"""

import argparse
import resource
import subprocess
import sys
import tempfile

FAILED = 3


def children_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_once(command, ok, timeout):
    """Processor seconds of one run, or None (reported) when its status is not accepted."""
    with tempfile.TemporaryFile() as errors:
        before = children_seconds()
        try:
            status = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=errors,
                                    timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            status = "timed out"
        spent = children_seconds() - before
        if status in ok:
            return spent
        errors.seek(0)
        tail = errors.read().decode("utf-8", "replace").strip().splitlines()[-5:]
        print(f"cpu_time: {' '.join(command)}: exit status {status}, expected one of "
              f"{sorted(ok)}", file=sys.stderr)
        for line in tail:
            print(f"  {line}", file=sys.stderr)
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--repeat", type=int, default=1)
    parser.add_argument("--ok", default="0", help="accepted exit statuses, comma-separated")
    parser.add_argument("--timeout", type=float, default=600)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command")
    ok = {int(status) for status in args.ok.split(",")}
    best = None
    for _ in range(max(1, args.runs)):
        total = 0.0
        for _ in range(max(1, args.repeat)):
            spent = run_once(command, ok, args.timeout)
            if spent is None:
                return FAILED
            total += spent
        mean = total / max(1, args.repeat)
        best = mean if best is None else min(best, mean)
    print(f"{best:.6f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
