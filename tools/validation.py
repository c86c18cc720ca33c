#!/usr/bin/env python3
"""Writes docs/validation.md: the console programs' results against published
values and against our own integration of the gradually varied flow equation.

usage: validation.py BIN_DIR [--check]

BIN_DIR holds the console programs quostel and pelvarin. With --check the
record is only compared with docs/validation.md, and a difference is an error:
the record cannot drift from what the programs compute.
"""
import math
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RECORD = os.path.join(ROOT, 'docs', 'validation.md')
FOOT = 0.3048                # m, exact
CUBIC_FOOT = FOOT ** 3       # 0.028316846592 m^3, exact
G = 9.81


def pelvarin_summary(bin_dir, **fields):
    """The --summary lines of one Pelvarin command, as a dict."""
    with tempfile.TemporaryDirectory() as work:
        args = [os.path.join(bin_dir, 'pelvarin'), '--summary'] + ['%s=%s' % kv for kv in fields.items()]
        run = subprocess.run(args + ['file=v'], cwd=work, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
    return dict(line.split('=', 1) for line in run.stdout.decode().splitlines())


def channel(bso, m, Q, kst, Iso, beta=1.0, hu=3.0):
    return {'bso': repr(bso), 'm': repr(m), 'n': repr(m), 'Q': repr(Q), 'kst': repr(kst), 'Iso': repr(Iso),
            'beta': repr(beta), 'l': '100', 'hu': repr(hu), 'wsp': '100', 'Pa': '1'}


# Our own reference: the relations with the exact fractions, roots by
# bisection to the last bit, and the length of a profile by integrating the
# gradually varied flow equation dx/dh = (1 - beta Q^2 B / (g A^3)) / (Sf - Iso)
# with Simpson's rule from the control depth to the edge of the 1 % band.
def area(c, h):
    return (c['m'] + c['n']) / 2 * h * h + c['bso'] * h


def perimeter(c, h):
    return c['bso'] + h * (math.sqrt(1 + c['m'] ** 2) + math.sqrt(1 + c['n'] ** 2))


def root(f, lo, hi):
    flo = f(lo)
    for _ in range(200):
        mid = (lo + hi) / 2
        if mid in (lo, hi):
            break
        if (f(mid) > 0) == (flo > 0):
            lo, flo = mid, f(mid)
        else:
            hi = mid
    return (lo + hi) / 2


def normal_depth(c):
    return root(lambda h: c['kst'] * area(c, h) * (area(c, h) / perimeter(c, h)) ** (2 / 3) * math.sqrt(c['Iso'])
                - c['Q'], 1e-6, 500)


def gvf_length(c):
    hn = normal_depth(c)
    end = 1.01 * hn if c['hu'] > hn else 0.99 * hn

    def dxdh(h):
        A, U, B = area(c, h), perimeter(c, h), (c['m'] + c['n']) * h + c['bso']
        Sf = c['Q'] ** 2 / (c['kst'] ** 2 * A * A * (A / U) ** (4 / 3))
        return (1 - c['beta'] * c['Q'] ** 2 * B / (G * A ** 3)) / (Sf - c['Iso'])

    n = 200000
    step = (end - c['hu']) / n
    terms = [dxdh(c['hu'] + i * step) * (1 if i in (0, n) else 4 if i % 2 else 2) for i in range(n + 1)]
    return math.fsum(terms) * step / 3


def record(bin_dir):
    rows = []

    def row(case, quantity, source, program, unit, why):
        difference = program - source
        rows.append('| %s | %s | %s %s | %s %s | %+.4g %s | %s |' % (case, quantity, fmt(source), unit, fmt(program),
                                                                 unit, difference, unit, why))

    # Trapezoid b 6.1 m, side slopes 1.5, Q 126 m^3/s, Manning n 0.013, slope 0.0008.
    a = pelvarin_summary(bin_dir, **channel(6.1, 1.5, 126, 1 / 0.013, 0.0008))
    row('A: b 6.1 m, z 1.5, Q 126 m³/s, n 0.013, S 0.0008', 'normal depth', 3.2864, float(a['hn']), 'm',
        'published to 4 decimals; the program stops its bisection up to 1e-7 m below the root and uses the '
        'exponent 0.666666666666 for 2/3')
    row('A', 'critical depth', 2.783155, float(a['hgr']), 'm',
        'the program stops its bisection up to 1e-7 m below the root and uses the exponent 0.33333333333 for 1/3')

    # Trapezoid b 20 ft, side slopes 2, Q 400 ft^3/s, Manning n 0.025, slope 0.0016, in SI.
    b = pelvarin_summary(bin_dir, **channel(20 * FOOT, 2, 400 * CUBIC_FOOT, 1 / 0.025, 0.0016))
    row('B: b 20 ft, z 2, Q 400 ft³/s, n 0.025, S 0.0016', 'normal depth', 3.36 * FOOT, float(b['hn']), 'm',
        'published as 3.36 ft, to 0.005 ft (1.5 mm)')
    row('B', 'critical depth', 2.15 * FOOT, float(b['hgr']), 'm', 'published as 2.15 ft, to 0.005 ft (1.5 mm)')

    # Lengths against our own integration.
    cases = [
        ('worked channel, backwater', dict(bso=2.0, m=1.5, n=1.5, Q=10.0, kst=30.0, Iso=0.001, beta=1.0, hu=3.0)),
        ('worked channel, drawdown', dict(bso=2.0, m=1.5, n=1.5, Q=10.0, kst=30.0, Iso=0.001, beta=1.0, hu=1.3)),
        ('worked channel, drawdown from near hgr', dict(bso=2.0, m=1.5, n=1.5, Q=10.0, kst=30.0, Iso=0.001, beta=1.0,
                                                         hu=1.05)),
        ('near-critical channel, backwater', dict(bso=2.0, m=1.5, n=1.5, Q=10.0, kst=30.0, Iso=0.006, beta=1.0,
                                                  hu=1.6)),
        ('rectangle, beta 1.5, drawdown', dict(bso=4.0, m=0.0, n=0.0, Q=8.0, kst=40.0, Iso=0.0005, beta=1.5, hu=0.9)),
        ('wide channel, drawdown', dict(bso=40.0, m=2.0, n=2.0, Q=300.0, kst=35.0, Iso=0.0003, beta=1.0, hu=2.5)),
    ]
    for name, c in cases:
        s = pelvarin_summary(bin_dir, **channel(c['bso'], c['m'], c['Q'], c['kst'], c['Iso'], c['beta'], c['hu']))
        row('C: %s (b %g m, z %g, Q %g m³/s, kst %g, S %g, beta %g, hu %g m)' % (
            name, c['bso'], c['m'], c['Q'], c['kst'], c['Iso'], c['beta'], c['hu']),
            s['kind'] + ' (source: our integration)', gvf_length(c), float(s['length']), 'm',
            'the program counts whole 1 m stations of the standard step (mean friction slope of two sections) '
            'against the continuous profile')

    header = ['# Validation record', '',
              'Made by `tools/validation.py` from what the console programs print (`pelvarin --summary`); a test',
              'runs it again and fails when this page no longer matches the programs. Units: US customary values',
              'converted with 1 ft = 0.3048 m and 1 ft³ = 0.028316846592 m³; Manning n as kst = 1/n. Critical',
              'and normal depths of the programs carry the bisection\'s tolerance of 1e-7 m; lengths are whole',
              'metres (the last 1 m station outside the 1 % band around the normal depth). The reference lengths',
              'come from our own integration of the gradually varied flow equation (Simpson\'s rule, 200,000',
              'intervals in the depth, exact fractions 2/3 and 4/3), independent of the programs\' code.', '',
              '| Case | Quantity | Source | Program | Difference | Why they may differ |',
              '|---|---|---|---|---|---|']
    return '\n'.join(header + rows) + '\n'


def fmt(value):
    return '%.6f' % value if abs(value) < 100 else '%.1f' % value


def main():
    text = record(os.path.abspath(sys.argv[1]))
    if '--check' in sys.argv[2:]:
        current = open(RECORD, encoding='utf-8').read() if os.path.exists(RECORD) else ''
        if current != text:
            print('docs/validation.md does not match the programs; run tools/validation.py BIN_DIR to renew it')
            return 1
        print('docs/validation.md matches the programs')
        return 0
    with open(RECORD, 'w', encoding='utf-8') as f:
        f.write(text)
    return 0


if __name__ == '__main__':
    sys.exit(main())
