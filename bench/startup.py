#!/usr/bin/env python3
"""Start-up to first paint and peak RSS of programs, run in turn under the current DISPLAY.

  startup.py --probe libfirst_paint_probe.so --runs 15 NAME=PROGRAM [NAME=PROGRAM ...]

Each program runs with the probe preloaded, which notes the end of the first paint of a window and
quits the program. Time is from just before the process is started to that moment; peak RSS is the
maximum resident set of the process over its whole life (wait4). One unmeasured warm-up run each,
then the programs alternate, so that they share whatever the machine does meanwhile. The first
program is the one measured; ratios are against each of the others (the floors).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, probe, out_path, timeout=30.0):
    env = dict(os.environ, LD_PRELOAD=probe, FIRST_PAINT_PROBE_OUT=out_path, QT_QPA_PLATFORM="xcb")
    if os.path.exists(out_path):
        os.unlink(out_path)
    with tempfile.TemporaryDirectory() as cwd:
        start = time.monotonic_ns()
        process = subprocess.Popen([program], env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + timeout
        while True:
            pid, status, usage = os.wait4(process.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > deadline:
                process.kill()
                process.wait()
                raise RuntimeError(f"{program}: no first paint within {timeout} s")
            time.sleep(0.002)
    with open(out_path) as f:
        painted = int(f.read().strip())
    return (painted - start) / 1e6, usage.ru_maxrss / 1024.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    programs = [p.split("=", 1) for p in args.programs]
    out_path = os.path.join(tempfile.gettempdir(), f"first_paint_{os.getpid()}")
    results = {name: ([], []) for name, _ in programs}
    for name, program in programs:
        run_once(program, args.probe, out_path)
    for i in range(args.runs):
        order = programs if i % 2 == 0 else list(reversed(programs))
        for name, program in order:
            ms, rss = run_once(program, args.probe, out_path)
            results[name][0].append(ms)
            results[name][1].append(rss)
    print(f"start-up to first paint and peak RSS, median of {args.runs} runs each")
    for name, _ in programs:
        times, rsss = results[name]
        print(f"  {name:<20} {statistics.median(times):8.1f} ms  (min {min(times):.1f}, max {max(times):.1f})"
              f"   {statistics.median(rsss):7.1f} MiB  (min {min(rsss):.1f}, max {max(rsss):.1f})")
    first = programs[0][0]
    for floor, _ in programs[1:]:
        time_ratio = statistics.median(results[first][0]) / statistics.median(results[floor][0])
        rss_ratio = statistics.median(results[first][1]) / statistics.median(results[floor][1])
        print(f"  ratio {first}/{floor}: time {time_ratio:.2f}, RSS {rss_ratio:.2f}")
    if os.path.exists(out_path):
        os.unlink(out_path)


if __name__ == "__main__":
    sys.exit(main())
