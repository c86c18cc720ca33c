#!/usr/bin/env python3
"""Times the console Pelvarin against the plain C floor program, side by side.

usage: compare_floor.py PELVARIN FLOOR_SOURCE [RUNS]

Builds the floor program (cc -O2 ... -lm), then runs both on the worked
channel (l 100, hu 3, wsp 103) at Pa=15000 and Pa=1, interleaved, each
writing its output into a file of a fresh folder, and prints the median wall
times and their ratio. A measurement for people, not a test.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def timed(args, cwd, stdout=None):
    start = time.perf_counter()
    subprocess.run(args, cwd=cwd, stdout=stdout, check=True)
    return time.perf_counter() - start


def main():
    pelvarin = os.path.abspath(sys.argv[1])
    source = os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 21
    with tempfile.TemporaryDirectory() as work:
        floor = os.path.join(work, 'floor')
        subprocess.run(['cc', '-O2', source, '-lm', '-o', floor], check=True)
        for pa in (15000, 1):
            ours, theirs = [], []
            for i in range(runs):
                args = ['bso=2', 'm=1.5', 'n=1.5', 'Q=10', 'kst=30', 'Iso=0.001', 'beta=1', 'l=100', 'hu=3',
                        'wsp=103', 'Pa=%d' % pa, 'file=r%d_%d' % (pa, i)]
                ours.append(timed([pelvarin] + args, work))
                with open(os.path.join(work, 'rows%d_%d.txt' % (pa, i)), 'wb') as rows:
                    theirs.append(timed([floor, str(pa)], work, rows))
            a, b = statistics.median(ours), statistics.median(theirs)
            print('Pa=%-5d pelvarin %.2f ms  floor %.2f ms  ratio %.3f  (medians of %d interleaved runs)'
                  % (pa, a * 1e3, b * 1e3, a / b, runs))


if __name__ == '__main__':
    main()
