#!/usr/bin/env python3
"""Checks Pelvarin's --svg pictures with an XML parser: well-formed SVG, every
line of the section inside the plot box, the axes named, round tick values,
and a title that names the profile type and the length.

usage: check_profile_svg.py PELVARIN [OUTPUT_FOLDER]

With OUTPUT_FOLDER the pictures are kept there (to render and look at them).
"""
import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'windows'))
from checks import Checks  # noqa: E402

SVG = '{http://www.w3.org/2000/svg}'
EXAMPLE = {'bso': '2', 'm': '1.5', 'n': '1.5', 'Q': '10', 'kst': '30', 'Iso': '0.001', 'beta': '1', 'l': '100',
           'hu': '3', 'wsp': '103', 'Pa': '5'}
CASES = [
    ('backwater', EXAMPLE, 'Profiltyp M1: Stauweite 2360 m'),
    ('drawdown', dict(EXAMPLE, hu='1.3', wsp='101.3'), 'Profiltyp M2: Senkungsweite 1136 m'),
    ('capped', dict(EXAMPLE, Iso='0.00001', hu='15', wsp='115'), 'Profiltyp M1: Stauweite 14998 m (und mehr)'),
    ('steep', dict(EXAMPLE, Iso='0.05', hu='3', wsp='103'), None),
    ('none', dict(EXAMPLE, hu='hn'), 'Profiltyp -: kein Rueckstau bzw. Senkung'),
]
# Inputs at the limits that pass the checks: the picture must still be
# written and well-formed, with its lines in the box.
EXTREMES = [
    ('no discharge', dict(EXAMPLE, Q='0')),
    ('huge level', dict(EXAMPLE, wsp='1e308')),
    ('infinite level', dict(EXAMPLE, wsp='+INF')),
    ('huge discharge', dict(EXAMPLE, Q='1e300', kst='150', Iso='0.1', beta='1.5', l='1000', hu='1000')),
    ('tiny channel', dict(EXAMPLE, bso='0.0000001', m='0', n='0', Q='1e-12', hu='0.001', wsp='1')),
]


def run(pelvarin, fields, folder, name):
    args = [pelvarin, '--svg', name + '.svg', '--summary'] + ['%s=%s' % kv for kv in fields.items()]
    args.append('file=' + name)
    return subprocess.run(args, cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)


def is_round(step):
    """1, 2 or 5 times a power of ten."""
    if step <= 0:
        return False
    mantissa = step / 10 ** math.floor(math.log10(step))
    return any(abs(mantissa - m) < 1e-9 for m in (1, 2, 5, 10))


def check_picture(path, title, checks, name, extreme=False):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        checks.expect(name + ' is well-formed XML', str(error), 'well-formed')
        return
    checks.expect(name + ' root', root.tag, SVG + 'svg')
    box = [e for e in root.iter(SVG + 'rect') if e.get('id') == 'plot']
    checks.expect(name + ' has one plot box', len(box), 1)
    if not box:
        return
    left, top = float(box[0].get('x')), float(box[0].get('y'))
    right, bottom = left + float(box[0].get('width')), top + float(box[0].get('height'))
    lines = {e.get('class'): e for e in root.iter(SVG + 'polyline')}
    checks.expect(name + ' lines', sorted(lines), ['bed', 'critical', 'normal', 'water'])
    for kind, line in lines.items():
        points = [tuple(map(float, p.split(','))) for p in line.get('points').split()]
        checks.expect(name + ' ' + kind + ' has points', len(points) >= 2 or extreme, True)
        outside = [p for p in points if not (left <= p[0] <= right and top <= p[1] <= bottom)]
        checks.expect(name + ' ' + kind + ' inside the plot box', outside[:3], [])
    texts = [''.join(e.itertext()) for e in root.iter(SVG + 'text')]
    checks.expect(name + ' axis names', 'Entfernung oberstrom [m]' in texts and 'Hoehe [m]' in texts, True)
    checks.expect(name + ' control profile named', 'Kontrollprofil' in texts, True)
    for axis in ('x', 'y'):
        ticks = [float(''.join(e.itertext())) for e in root.iter(SVG + 'text') if e.get('class') == 'tick-' + axis]
        checks.expect('%s %s axis has ticks' % (name, axis), len(ticks) >= 3, True)
        if extreme:
            continue
        steps = [b - a for a, b in zip(ticks, ticks[1:])]
        checks.expect('%s %s ticks evenly spaced' % (name, axis),
                      all(abs(s - steps[0]) <= 1e-9 * abs(steps[0]) for s in steps), True)
        checks.expect('%s %s ticks round' % (name, axis), all(is_round(s) for s in steps[:1]), True)
    checks.expect(name + ' has no NaN', 'nan' in open(path).read().lower(), False)
    if extreme:
        return
    if title is not None:
        checks.expect(name + ' title', texts[0], title)
    else:
        checks.expect(name + ' title names a profile type', re.match(r'Profiltyp S\d', texts[0]) is not None, True)


def main():
    pelvarin = os.path.abspath(sys.argv[1])
    keep = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    checks = Checks()
    with tempfile.TemporaryDirectory() as work:
        folder = keep or work
        os.makedirs(folder, exist_ok=True)
        for name, fields, title in CASES:
            if fields.get('hu') == 'hn':
                # The control depth at the normal depth itself: no profile.
                first = run(pelvarin, EXAMPLE, folder, name + '-probe')
                hn = re.search(r'^hn=(\S+)$', first.stdout.decode(), re.M).group(1)
                fields = dict(fields, hu=hn, wsp='100')
            for stale in (name + '.svg', name + '.txt'):
                if os.path.exists(os.path.join(folder, stale)):
                    os.remove(os.path.join(folder, stale))
            result = run(pelvarin, fields, folder, name)
            checks.expect(name + ' exit status', result.returncode, 0)
            path = os.path.join(folder, name + '.svg')
            checks.expect(name + ' picture written', os.path.exists(path), True)
            if os.path.exists(path):
                check_picture(path, title, checks, name)
        for name, fields in EXTREMES:
            result = run(pelvarin, fields, folder, name.replace(' ', '-'))
            checks.expect(name + ' exit status', result.returncode, 0)
            path = os.path.join(folder, name.replace(' ', '-') + '.svg')
            if os.path.exists(path):
                check_picture(path, None, checks, name, extreme=True)
            else:
                checks.expect(name + ' picture written', False, True)
    checks.summary()
    return 0 if checks.failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
