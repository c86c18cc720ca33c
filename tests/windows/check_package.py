#!/usr/bin/env python3
"""Checks the release ZIP of the Windows programs: the four programs and the
German LIESMICH.txt, nothing else, each program the one of the build.

usage: check_package.py ZIP WINDOWS_BUILD_DIR
"""
import os
import sys
import zipfile

from checks import Checks

PROGRAMS = ['Pelvarin.exe', 'Quostel.exe', 'pelvarin-cli.exe', 'quostel-cli.exe']


def main():
    package, build = sys.argv[1], sys.argv[2]
    checks = Checks()
    checks.expect('package exists', os.path.exists(package), True)
    if os.path.exists(package):
        with zipfile.ZipFile(package) as z:
            checks.expect('package contents', sorted(z.namelist()), sorted(PROGRAMS + ['LIESMICH.txt']))
            for program in PROGRAMS:
                with open(os.path.join(build, program), 'rb') as f:
                    checks.expect(program + ' is the built one', z.read(program) == f.read(), True)
            text = z.read('LIESMICH.txt')
            checks.expect('LIESMICH.txt has Windows line ends', text.count(b'\n'), text.count(b'\r\n'))
            checks.expect('LIESMICH.txt is plain ASCII', all(b < 0x80 for b in text), True)
            for program in PROGRAMS:
                checks.expect('LIESMICH.txt describes ' + program, program.encode() in text, True)
    checks.summary()
    return 0 if checks.failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
