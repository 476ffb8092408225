#!/usr/bin/env python3
"""Start-up to first paint, peak RSS and shared objects of a program against its floor, run in turn
under the current DISPLAY.

  startup.py --probe libfirst_paint_probe.so --runs 15 [--verdicts FILE --max-time 1.15 --max-rss 1.10]
             NAME=PROGRAM FLOOR=PROGRAM

Each program runs with the probe preloaded, which notes the end of the first paint of a window and
quits the program. Time is from just before the process is started to that moment; peak RSS is the
maximum resident set of the process over its whole life (wait4). One unmeasured warm-up run each,
then rounds in which the two alternate (AB, BA, AB...), so that they share whatever the machine does
meanwhile; the figures are medians over the rounds. A last run of each lists the shared objects
mapped at the first paint. With --verdicts, one line per target is appended to FILE:
"PASS|MISS  <what>".
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, probe, out_path, libs_path=None, timeout=30.0):
    env = dict(os.environ, LD_PRELOAD=probe, FIRST_PAINT_PROBE_OUT=out_path, QT_QPA_PLATFORM="xcb")
    if libs_path:
        env["FIRST_PAINT_PROBE_LIBS"] = libs_path
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


def shared_objects(program, probe, out_path):
    libs_path = out_path + ".libs"
    run_once(program, probe, out_path, libs_path)
    with open(libs_path) as f:
        objects = {os.path.basename(line.strip()) for line in f if line.strip()}
    os.unlink(libs_path)
    return objects


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--verdicts")
    parser.add_argument("--max-time", type=float, default=1.15)
    parser.add_argument("--max-rss", type=float, default=1.10)
    parser.add_argument("programs", nargs=2, metavar="NAME=PROGRAM")
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
    print(f"start-up to first paint and peak RSS, medians of {args.runs} alternating rounds")
    for name, _ in programs:
        times, rsss = results[name]
        print(f"  {name:<20} {statistics.median(times):8.1f} ms  (min {min(times):.1f}, max {max(times):.1f})"
              f"   {statistics.median(rsss):7.1f} MiB  (min {min(rsss):.1f}, max {max(rsss):.1f})")
    (name, program), (floor, floor_program) = programs
    time_ratio = statistics.median(results[name][0]) / statistics.median(results[floor][0])
    rss_ratio = statistics.median(results[name][1]) / statistics.median(results[floor][1])
    print(f"  ratio {name}/{floor}: time {time_ratio:.3f}, RSS {rss_ratio:.3f}")

    ours = shared_objects(program, args.probe, out_path)
    theirs = shared_objects(floor_program, args.probe, out_path)
    print(f"shared objects mapped at the first paint: {name} {len(ours)}, {floor} {len(theirs)}")
    if ours - theirs:
        print(f"  only in {name}: {' '.join(sorted(ours - theirs))}")
    if theirs - ours:
        print(f"  only in {floor}: {' '.join(sorted(theirs - ours))}")

    if args.verdicts:
        with open(args.verdicts, "a") as f:
            for what, ratio, target in (("start-up time", time_ratio, args.max_time),
                                        ("peak RSS at first paint", rss_ratio, args.max_rss)):
                verdict = "PASS" if ratio <= target else "MISS"
                f.write(f"{verdict}  {what}: {name}/{floor} {ratio:.3f} (target <= {target:.2f})\n")
    if os.path.exists(out_path):
        os.unlink(out_path)


if __name__ == "__main__":
    sys.exit(main())
