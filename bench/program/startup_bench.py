#!/usr/bin/python3
"""Whole-process cost of one switch-mode start of the program: `vesper -shutdown` with the power log
backend (nothing is powered off), on a scratch hive, against /bin/true and `systemctl --version`.

  bench/program/startup_bench.py [BUILD_DIR] [--runs N]

Prints the mean wall time of each command over N runs (after one warm-up run each), the ratios of
the program's time to the two references, and the peak resident memory of each command as the kernel
reports it through /usr/bin/time. Targets: at most 2x `systemctl --version`, under 15 MiB resident.
"""

import argparse
import os
import shutil
import sys
import tempfile
import time


def run_once(argv, env):
    """Runs argv to completion; answers (seconds, peak resident KiB, exit status)."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=[
        (os.POSIX_SPAWN_OPEN, 0, os.devnull, os.O_RDONLY, 0),
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
    ])
    _, status, usage = os.wait4(pid, 0)
    return time.perf_counter() - start, usage.ru_maxrss, status


def peak_rss(argv, env):
    """Peak resident KiB of argv, through /usr/bin/time: a child forked from this interpreter would
    count the interpreter's own pages before the exec."""
    report = os.path.join(env['VESPER_BENCH_SCRATCH'], 'rss')
    _, _, status = run_once(['/usr/bin/time', '-o', report, '-f', '%M'] + argv, env)
    if status != 0:
        return 0
    with open(report) as f:
        return int(f.read().split()[-1])


def measure(argv, env, runs):
    run_once(argv, env)  # warm-up: page cache, dynamic loader
    seconds = 0.0
    for _ in range(runs):
        elapsed, _, status = run_once(argv, env)
        if status != 0:
            sys.exit(f'{" ".join(argv)} failed with status {status}')
        seconds += elapsed
    return seconds / runs, peak_rss(argv, env) if os.access('/usr/bin/time', os.X_OK) else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('build', nargs='?', default='build')
    parser.add_argument('--runs', type=int, default=50)
    args = parser.parse_args()

    vesper = os.path.abspath(os.path.join(args.build, 'bin', 'vesper'))
    if not os.access(vesper, os.X_OK):
        sys.exit(f'{vesper} is not built')
    systemctl = shutil.which('systemctl')

    scratch = tempfile.mkdtemp(prefix='vesper-bench-')
    try:
        env = {k: v for k, v in os.environ.items() if k not in ('DBUS_SYSTEM_BUS_ADDRESS', 'VESPER_WINVER')}
        env['VESPER_REGISTRY'] = os.path.join(scratch, 'hive.db')
        env['VESPER_POWER_LOG'] = os.path.join(scratch, 'power.log')
        env['VESPER_BENCH_SCRATCH'] = scratch

        results = [('vesper -shutdown', measure([vesper, '-shutdown'], env, args.runs)),
                   ('/bin/true', measure(['/bin/true'], env, args.runs))]
        if systemctl:
            results.append(('systemctl --version', measure([systemctl, '--version'], env, args.runs)))

        with open(env['VESPER_POWER_LOG']) as log:
            requests = sum(1 for line in log if line.startswith('PowerOff'))
        if requests != args.runs + 2:
            sys.exit(f'expected {args.runs + 2} logged PowerOff requests, found {requests}')
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    print(f'{"command":<22} {"mean ms":>9} {"peak RSS":>10}   ({args.runs} runs each)')
    for name, (mean, peak) in results:
        print(f'{name:<22} {mean * 1000:9.2f} {peak / 1024:7.2f} MiB')
    program = results[0][1]
    print(f'ratio vesper / true:              {program[0] / results[1][1][0]:6.2f}')
    if systemctl:
        ratio = program[0] / results[2][1][0]
        print(f'ratio vesper / systemctl:         {ratio:6.2f}   (target <= 2)')
    print(f'vesper peak RSS:                  {program[1] / 1024:6.2f} MiB (target < 15 MiB)')


if __name__ == '__main__':
    main()
