#!/usr/bin/env python3
"""Checks the Windows programs as files, without running them: PE32 (or
PE32+) GUI executables that need no DLL beyond the system's, carrying the
dialog template, the icon and the version block each program must have.

usage: check_executables.py WINDOWS_BUILD_DIR...

The resources are read back with the cross toolchain's windres and compared
with the control tables in this folder, so this also covers a build that
cannot be run on this machine.
"""
import os
import re
import subprocess
import sys

from checks import Checks

HERE = os.path.dirname(os.path.abspath(__file__))
SYSTEM_DLLS = {'KERNEL32.dll', 'USER32.dll', 'msvcrt.dll'}
GERMAN, GERMANY, SWITZERLAND = 7, 1, 2
# The supportedOS identifiers of Windows 7, 8, 8.1 and 10/11.
SUPPORTED_OS = ['35138b9a-5d96-4fbd-8e2d-a2440225f93a', '4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38',
                '1f676c76-80e1-4239-95bb-83d0f6d0da78', '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a']

PROGRAMS = {
    'Quostel': {'dialog': 107, 'dialog_lang': (GERMAN, GERMANY), 'size': (252, 306), 'icon': 101,
                'version': '1.00', 'template': 'quostel_template.tsv'},
    'Pelvarin': {'dialog': 101, 'dialog_lang': (GERMAN, SWITZERLAND), 'size': (252, 237), 'icon': 102,
                 'version': '1.0', 'template': 'pelvarin_template.tsv'},
}



def unescape(text):
    """Text of an rc string as Windows-1252 bytes: octal escapes are code points."""
    out = bytearray()
    i = 0
    while i < len(text):
        if text[i] == '\\' and text[i + 1] in '01234567':
            out.append(int(text[i + 1:i + 4], 8))
            i += 4
        elif text[i] == '\\' and text[i + 1] == 'n':
            out += b'\n'
            i += 2
        else:
            out += text[i].encode('cp1252')
            i += 1
    return bytes(out)


def resources(windres, exe):
    """(type, name) -> (language, lines) from windres' decompiled script.

    A LANGUAGE statement stands after the comment that names a resource and
    holds for it and every later resource until the next one."""
    rc = subprocess.run([windres, '-i', exe, '-O', 'rc'], stdout=subprocess.PIPE, check=True).stdout.decode('latin-1')
    found = {}
    language = None
    kind = key = None
    for line in rc.splitlines():
        m = re.match(r'/\* Type: (.+)$', line)
        if m:
            kind, key = m.group(1), None
            continue
        m = re.match(r'\s+Name: (\d+)\.', line)
        if m and kind is not None:
            key = (kind, int(m.group(1)))
            found[key] = [language, []]
            continue
        m = re.match(r'LANGUAGE (\d+), (\d+)', line)
        if m:
            language = (int(m.group(1)), int(m.group(2)))
            if key is not None:
                found[key][0] = language
            continue
        if key is not None and line.strip():
            found[key][1].append(line)
    return {k: tuple(v) for k, v in found.items()}


def check(build, checks):
    with open(os.path.join(build, 'bitness')) as f:
        bits = f.read().strip()
    tool = 'i686-w64-mingw32-' if bits == '32' else 'x86_64-w64-mingw32-'
    for program, want in PROGRAMS.items():
        exe = os.path.join(build, program + '.exe')
        name = '%s %s-bit' % (program, bits)
        headers = subprocess.run([tool + 'objdump', '-p', exe], stdout=subprocess.PIPE, check=True).stdout.decode()
        checks.expect(name + ' format', re.search(r'Magic\s+\S+\s+\((PE32\+?)\)', headers).group(1),
                      'PE32' if bits == '32' else 'PE32+')
        checks.expect(name + ' subsystem', '(Windows GUI)' in headers, True)
        dlls = set(re.findall(r'DLL Name: (\S+)', headers))
        checks.expect(name + ' needs only system DLLs', dlls - SYSTEM_DLLS, set())

        found = resources(tool + 'windres', exe)
        dialogs = [key for key in found if key[0] == 'dialog']
        checks.expect(name + ' one dialog template', dialogs, [('dialog', want['dialog'])])
        language, lines = found.get(('dialog', want['dialog']), (None, []))
        checks.expect(name + ' dialog language', language, want['dialog_lang'])
        checks.expect(name + ' dialog header', lines[:4], [
            '%d DIALOG 0, 0, %d, %d' % ((want['dialog'],) + want['size']), 'STYLE 0x90ca0044',
            'CAPTION "%s"' % program, 'FONT 8, "MS Sans Serif"'])
        controls = []
        for line in lines:
            m = re.match(r'\s+CONTROL L?"(.*)", (\d+), "(\w+)", (0x[0-9a-f]+), (\d+), (\d+), (\d+), (\d+)$', line)
            if m:
                text, cid, cls, style, x, y, w, h = m.groups()
                controls.append((int(cid), cls, int(style, 16), int(x), int(y), int(w), int(h), unescape(text)))
        expected = []
        with open(os.path.join(HERE, want['template']), 'rb') as f:
            for row in f.read().split(b'\n'):
                if row:
                    cid, cls, style, x, y, w, h, text = row.split(b'\t')
                    expected.append((int(cid) & 0xFFFF, cls.decode(), int(style, 16), int(x), int(y), int(w), int(h),
                                     text.replace(b'\\n', b'\n')))
        checks.expect(name + ' controls', controls, expected)

        icons = [key for key in found if key[0] == 'group icon']
        checks.expect(name + ' icon group', icons, [('group icon', want['icon'])])
        language, lines = found.get(('group icon', want['icon']), (None, []))
        checks.expect(name + ' icon language', language, (GERMAN, SWITZERLAND))
        checks.expect(name + ' icon is one 32 x 32 image in 16 colours',
                      [l.split('/*')[0].strip() for l in lines if 'Element no' in l], ['"\\040\\040\\020\\000", 1, 4, 0x2e8L, 1'])

        language, lines = found.get(('version', 1), (None, []))
        text = '\n'.join(lines)
        checks.expect(name + ' version language', language, (GERMAN, SWITZERLAND))
        checks.expect(name + ' version numbers', re.findall(r'(FILEVERSION|PRODUCTVERSION) ([\d, ]+)', text),
                      [('FILEVERSION', '1, 0, 0, 1'), ('PRODUCTVERSION', '1, 0, 0, 1')])
        checks.expect(name + ' version strings', re.findall(r'VALUE "(?:File|Product)Version", "([^"]*)"', text),
                      [want['version']] * 2)
        checks.expect(name + ' string table', 'BLOCK "080704B0"' in text, True)
        checks.expect(name + ' translation', 'VALUE "Translation", 0x807, 1200' in text, True)

        # The application manifest, resource 1 of type 24 (RT_MANIFEST).
        language, lines = found.get(('24', 1), (None, []))
        manifest = ''.join(re.findall(r'^\s*"(.*)"\s*$', '\n'.join(lines), re.M)).replace('""', '"')
        checks.expect(name + ' manifest language', language, (0, 0))
        checks.expect(name + ' manifest names the program', 'name="%s" version="1.0.0.1"' % program in manifest, True)
        checks.expect(name + ' manifest asks for Common Controls 6',
                      re.search(r'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', manifest) is not None,
                      True)
        checks.expect(name + ' manifest is DPI-aware', '>true</dpiAware>' in manifest, True)
        checks.expect(name + ' manifest supports Windows 7 to 11',
                      sorted(re.findall(r'supportedOS Id="\{([0-9a-f-]+)\}"', manifest)), sorted(SUPPORTED_OS))
    for console in ('quostel-cli', 'pelvarin-cli'):
        exe = os.path.join(build, console + '.exe')
        name = '%s %s-bit' % (console, bits)
        checks.expect(name + ' built', os.path.exists(exe), True)
        if os.path.exists(exe):
            headers = subprocess.run([tool + 'objdump', '-p', exe], stdout=subprocess.PIPE, check=True).stdout.decode()
            checks.expect(name + ' subsystem', '(Windows CUI)' in headers, True)
            dlls = set(re.findall(r'DLL Name: (\S+)', headers))
            checks.expect(name + ' needs only system DLLs', dlls - SYSTEM_DLLS, set())


def main():
    checks = Checks()
    for build in sys.argv[1:]:
        check(build, checks)
    checks.summary()
    return 0 if checks.failed == 0 and checks.passed > 0 else 1


if __name__ == '__main__':
    sys.exit(main())
