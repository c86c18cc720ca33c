#!/usr/bin/env python3
"""Runs the Windows programs under Wine on a virtual display and checks their
windows, and that they give the same answers as the console programs.

usage: run_wine_tests.py CONSOLE_DIR WINDOWS_BUILD_DIR...

Each WINDOWS_BUILD_DIR holds Quostel.exe, Pelvarin.exe and dialog_driver.exe
of one cross build. A build whose programs cannot run here is reported as
skipped with the reason; when none can run, the exit status is 77 (skipped).
"""
import os
import re
import shutil
import subprocess
import sys

from checks import Checks
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SKIP = 77

ROOT = os.path.dirname(os.path.dirname(HERE))


def read_field_table(header):
    """The control identifiers (#define IDC_...) and the field table of a
    program's fields header, the one place that pairs names with controls."""
    with open(os.path.join(ROOT, header)) as f:
        text = f.read()
    ids = {name: int(value) for name, value in re.findall(r'#define (IDC_\w+) (-?\d+)', text)}
    inputs, results = {}, []
    for name, idc, role in re.findall(r'\{"(\w+)", (IDC_\w+), FieldRole::(\w+)\}', text):
        if role == 'Input':
            inputs[name] = ids[idc]
        else:
            results.append((name, ids[idc]))
    return ids, inputs, results


QUOSTEL_IDS, QUOSTEL_FIELDS, QUOSTEL_RESULTS = read_field_table('calculator/quostel_fields.h')
PELVARIN_IDS, PELVARIN_FIELDS, _ = read_field_table('backwater/pelvarin_fields.h')

MILD_CHANNEL = {'bso': '2', 'm': '1.5', 'n': '1.5', 'Iso': '1e-3', 'kst': '30'}
MILD = dict(MILD_CHANNEL, h='1')
EXAMPLE = {'bso': '2', 'm': '1.5', 'n': '1.5', 'Q': '10', 'kst': '30', 'Iso': '0.001', 'beta': '1',
           'l': '100', 'hu': '3', 'wsp': '103', 'Pa': '20'}

QUOSTEL_CORPUS = [
    MILD,
    dict(MILD, Iso='0.07'),
    dict(MILD, Iso='0.05'),
    dict(MILD, kst='120', Iso='0.1'),
    {'bso': '1', 'm': '0', 'n': '0', 'Iso': '1e-3', 'kst': '30', 'h': '0.01'},
    {'bso': '5000', 'm': '0', 'n': '0', 'Iso': '0.01', 'kst': '40', 'h': '20'},
    dict(MILD, h='1000'),
    dict(MILD, m='100', n='0', h='0.003'),
    dict(MILD, bso='0'),
    dict(MILD, kst='95', Iso='0.08', h='-1'),
    dict(MILD, bso='12abc', m='1,5', n=' +2.5e-1'),
    dict(MILD, h='+INF'),
    dict(MILD, bso='0.0000001', h='0.0002'),
    {},
]

PELVARIN_CORPUS = [
    EXAMPLE,
    dict(EXAMPLE, hu='1.6', wsp='101.6'),
    dict(EXAMPLE, Pa='15000', l='1'),
    dict(EXAMPLE, Pa='-3'),
    dict(EXAMPLE, Q='0'),
    dict(EXAMPLE, kst='150', Iso='0.1', hu='0'),
    dict(EXAMPLE, bso='0', beta='0', Pa='2.9'),
    dict(EXAMPLE, m='0', n='0', Q='55.5', l='1000', Pa='40'),
    dict(EXAMPLE, Pa='15001'),
    dict(EXAMPLE, wsp=''),
    dict(EXAMPLE, bso='', m='', n=''),
    dict(EXAMPLE, hu='15', wsp='115', Iso='0.00001', Pa='300'),
]


class Wine:
    def __init__(self, loader, server, build, prefix, arch, display):
        self.loader, self.server, self.build = loader, server, build
        # Each bitness has a prefix of its own, made for it: a 32-bit server
        # cannot use a prefix that a 64-bit Wine created. A prefix left by an
        # earlier run for the other bitness is removed. No .NET or HTML
        # engine: a fresh prefix would otherwise offer to install them.
        marker = os.path.join(prefix, 'channel-winearch')
        if os.path.isdir(prefix):
            made_for = open(marker).read().strip() if os.path.exists(marker) else ''
            if made_for != arch:
                shutil.rmtree(prefix)
        os.makedirs(prefix, exist_ok=True)
        with open(marker, 'w') as f:
            f.write(arch + '\n')
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEARCH=arch, WINEDEBUG='-all', DISPLAY=display,
                        LANG='C.UTF-8', WINEDLLOVERRIDES='mscoree,mshtml=')

    def start_server(self):
        # One persistent server for the whole run: otherwise every program
        # started would start Wine's server and services anew.
        # A server that is still running cannot be made persistent: wait for
        # it to end first.
        quiet = dict(env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([self.server, '-w'], **quiet)
        subprocess.run([self.server, '-p'], **quiet)

    def stop_server(self):
        subprocess.run([self.server, '-k'], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def exe(self, name):
        return os.path.join(self.build, name)

    def drive(self, program, steps, cwd):
        # Output through files, not pipes: Wine's services outlive the driver
        # and would hold a pipe open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            run = subprocess.run([self.loader, self.exe('dialog_driver.exe'), self.exe(program)] + steps, cwd=cwd,
                                 env=self.env, stdout=out, stderr=err, timeout=300)
            out.seek(0)
            err.seek(0)
            if run.returncode != 0:
                raise RuntimeError('driver failed (%d): %s' % (run.returncode, err.read().decode('latin-1')))
            return out.read().decode('latin-1').replace('\r\n', '\n')


def console(program, fields, cwd):
    out, err, _ = console_run([program], fields, cwd)
    return out, err


def console_run(command, fields, cwd, env=None):
    """Runs a console program with NAME=TEXT arguments: its standard output,
    standard error (line ends as LF) and exit status."""
    args = command + ['%s=%s' % kv for kv in fields.items()]
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        run = subprocess.run(args, cwd=cwd, stdout=out, stderr=err, env=env, timeout=300)
        out.seek(0)
        err.seek(0)
        text = lambda f: f.read().decode('latin-1').replace('\r\n', '\n')
        return text(out), text(err), run.returncode



def set_steps(fields, ids):
    return ['set:%d=%s' % (ids[k], v) for k, v in fields.items()]


def quostel_corpus(wine, console_dir, work, checks):
    for i, fields in enumerate(QUOSTEL_CORPUS):
        out, err = console(os.path.join(console_dir, 'quostel'), fields, work)
        expected_results = dict(line.split('=', 1) for line in out.splitlines())
        expected = err + ''.join('%d=%s\n' % (cid, expected_results.get(name, '')) for name, cid in QUOSTEL_RESULTS)
        actual = wine.drive('Quostel.exe', set_steps(fields, QUOSTEL_FIELDS) + ['press:%d' % QUOSTEL_IDS['IDC_CALCULATE']] +
                            ['get:%d' % cid for _, cid in QUOSTEL_RESULTS], work)
        checks.expect('quostel corpus %d %r' % (i, fields), actual, expected)


def same_report(name, linux, windows, checks):
    """Both folders hold a report Bericht.txt, or neither does, and the two
    are the same bytes."""
    report_l = os.path.join(linux, 'Bericht.txt')
    report_w = os.path.join(windows, 'Bericht.txt')
    checks.expect(name + ' report exists', os.path.exists(report_w), os.path.exists(report_l))
    if os.path.exists(report_l) and os.path.exists(report_w):
        with open(report_l, 'rb') as a, open(report_w, 'rb') as b:
            checks.expect(name + ' report bytes', b.read() == a.read(), True)


def pelvarin_corpus(wine, console_dir, work, checks):
    for i, fields in enumerate(PELVARIN_CORPUS):
        linux = os.path.join(work, 'linux%d' % i)
        windows = os.path.join(work, 'windows%d' % i)
        os.makedirs(linux)
        os.makedirs(windows)
        fields = dict(fields, file='Bericht')
        _, err = console(os.path.join(console_dir, 'pelvarin'), fields, linux)
        actual = wine.drive('Pelvarin.exe', set_steps(fields, PELVARIN_FIELDS) +
                            ['press:%d' % PELVARIN_IDS['IDC_CALCULATE']], windows)
        checks.expect('pelvarin corpus %d messages %r' % (i, fields), actual, err)
        same_report('pelvarin corpus %d' % i, linux, windows, checks)


def cli_corpus(wine, console_dir, work, checks):
    """The Windows console programs against the Linux ones: the same results,
    messages, exit statuses and report bytes."""
    for i, fields in enumerate(QUOSTEL_CORPUS):
        linux = console_run([os.path.join(console_dir, 'quostel')], fields, work)
        windows = console_run([wine.loader, wine.exe('quostel-cli.exe')], fields, work, wine.env)
        checks.expect('quostel-cli corpus %d %r' % (i, fields), windows, linux)
    for i, fields in enumerate(PELVARIN_CORPUS):
        linux = os.path.join(work, 'cli-linux%d' % i)
        windows = os.path.join(work, 'cli-windows%d' % i)
        os.makedirs(linux)
        os.makedirs(windows)
        fields = dict(fields, file='Bericht')
        expected = console_run([os.path.join(console_dir, 'pelvarin')], fields, linux)
        actual = console_run([wine.loader, wine.exe('pelvarin-cli.exe')], fields, windows, wine.env)
        checks.expect('pelvarin-cli corpus %d %r' % (i, fields), actual, expected)
        same_report('pelvarin-cli corpus %d' % i, linux, windows, checks)
    usage = console_run([wine.loader, wine.exe('pelvarin-cli.exe'), '--help'], {}, work, wine.env)
    checks.expect('pelvarin-cli --help', usage[2] == 0 and 'usage: pelvarin' in usage[0], True)

    # The options that add output: the same text and the same file bytes.
    for i, (options, fields) in enumerate([
            (['--table', 'h=0.1:3:0.1'], MILD_CHANNEL),
            ([], dict(MILD_CHANNEL, Q='2.4256181984')),
            ([], dict(MILD_CHANNEL, Q='1e9'))]):
        linux = console_run([os.path.join(console_dir, 'quostel')] + options, fields, work)
        windows = console_run([wine.loader, wine.exe('quostel-cli.exe')] + options, fields, work, wine.env)
        checks.expect('quostel-cli options %d' % i, windows, linux)
    for i, fields in enumerate([EXAMPLE, dict(EXAMPLE, hu='1.3', wsp='101.3'), dict(EXAMPLE, Iso='0.05')]):
        outputs = {}
        for side, command in (('linux', [os.path.join(console_dir, 'pelvarin')]),
                              ('windows', [wine.loader, wine.exe('pelvarin-cli.exe')])):
            folder = os.path.join(work, 'options-%s%d' % (side, i))
            os.makedirs(folder)
            run = console_run(command + ['--summary', '--csv', 'march.csv', '--svg', 'profile.svg'],
                              dict(fields, file='Bericht'), folder, wine.env if side == 'windows' else None)
            files = []
            for name in ('march.csv', 'profile.svg', 'Bericht.txt'):
                path = os.path.join(folder, name)
                files.append(open(path, 'rb').read() if os.path.exists(path) else None)
            outputs[side] = (run, files)
        checks.expect('pelvarin-cli options %d output' % i, outputs['windows'][0], outputs['linux'][0])
        checks.expect('pelvarin-cli options %d files' % i, outputs['windows'][1] == outputs['linux'][1], True)
        checks.expect('pelvarin-cli options %d files written' % i, None not in outputs['linux'][1], True)


def window_scenarios(wine, work, checks):
    q = lambda steps: wine.drive('Quostel.exe', steps, work)
    p = lambda steps: wine.drive('Pelvarin.exe', steps, work)
    qid = lambda name: QUOSTEL_FIELDS.get(name) or dict(QUOSTEL_RESULTS)[name]
    pid = PELVARIN_FIELDS.get
    q_calculate, q_quit = QUOSTEL_IDS['IDC_CALCULATE'], QUOSTEL_IDS['IDC_QUIT']
    p_calculate, p_quit = PELVARIN_IDS['IDC_CALCULATE'], PELVARIN_IDS['IDC_QUIT']
    quostel_template = os.path.join(HERE, 'quostel_template.tsv')
    pelvarin_template = os.path.join(HERE, 'pelvarin_template.tsv')
    # The system adds WS_CLIPSIBLINGS to the style and the control-parent and
    # window-edge flags to the extended style of every top-level dialog.
    checks.expect('quostel window', q(['window', 'template:' + quostel_template]),
                  'caption Quostel style 0x94CA0044 exstyle 0x00010100 at 0,0\ntemplate: 56 rows, 0 mismatches\n')
    checks.expect('pelvarin window', p(['window', 'template:' + pelvarin_template]),
                  'caption Pelvarin style 0x94CA0044 exstyle 0x00010100 at 0,0\ntemplate: 39 rows, 0 mismatches\n')

    mild = set_steps(MILD, QUOSTEL_FIELDS)
    A, hp, h = qid('A'), qid('hp'), qid('h')
    checks.expect('quostel Escape closes with 0', q(['key:escape', 'exit']), 'exit 0\n')
    checks.expect('quostel Quit closes with 0', q(['press:%d' % q_quit, 'exit']), 'exit 0\n')
    checks.expect('quostel Close closes with 0', q(['close', 'exit']), 'exit 0\n')
    checks.expect('quostel Enter in a field does not calculate',
                  q(mild + ['focus:%d' % h, 'key:enter', 'get:%d' % A, 'alive']), '%d=\nalive\n' % A)
    checks.expect('quostel Alt+C calculates', q(mild + ['focus:%d' % h, 'key:altc', 'get:%d' % A]), '%d=3.5\n' % A)
    checks.expect('quostel failing command keeps the results',
                  q(mild + ['press:%d' % q_calculate, 'set:%d=0' % h, 'press:%d' % q_calculate, 'get:%d' % A,
                            'get:%d' % hp]),
                  'Fehler!: Bitte Eingabe hu kontrollieren\n%d=3.5\n%d=1.05\n' % (A, hp))
    checks.expect('quostel long text is cut',
                  q(mild + ['set:%d=' % qid('bso') + '7' * 300, 'press:%d' % q_calculate, 'get:%d' % A]),
                  'Fehler!: Bitte Eingabe bso kontrollieren\n%d=\n' % A)

    example = set_steps(dict(EXAMPLE, file='Zweimal'), PELVARIN_FIELDS)
    calculate = 'press:%d' % p_calculate
    checks.expect('pelvarin Escape does nothing', p(['key:escape', 'alive']), 'alive\n')
    checks.expect('pelvarin Enter runs Calculate on empty fields', p(['key:enter']),
                  'Fehler!: Bitte Eingabe kst kontrollieren\n')
    checks.expect('pelvarin second run finds the file', p(example + [calculate, calculate]),
                  'Info: Datei wurde erstellt\nFehler!: Datei schon vorhanden\n')
    checks.expect('pelvarin warnings then a failure',
                  p(set_steps(dict(EXAMPLE, kst='150', Iso='0.1', hu='0'), PELVARIN_FIELDS) + [calculate]),
                  'Achtung!: Kst Wert sehr hoch!\nAchtung!: Wert Iso hoch\nFehler!: Bitte Eingabe hu kontrollieren\n')
    checks.expect('pelvarin long text is cut', p(['set:%d=' % pid('bso') + '7' * 300, calculate]),
                  'Fehler!: Bitte Eingabe bso kontrollieren\n')
    for name in ('Lauf 12:30', 'Bericht.txt:2', 'NUL', 'con', 'COM1', 'LPT9.txt'):
        checks.expect('pelvarin refuses the Windows name %r' % name,
                      p(set_steps(dict(EXAMPLE, Pa='2', file=name), PELVARIN_FIELDS) + [calculate]),
                      'Fehler: Datei konnte nicht erstellt werden!\n')
    checks.expect('pelvarin a refused name leaves no file behind', os.path.exists(os.path.join(work, 'Lauf 12')), False)
    checks.expect('pelvarin Alt+Q quits with 0', p(['key:altq', 'exit']), 'exit 0\n')
    checks.expect('pelvarin Close quits with 0', p(['close', 'exit']), 'exit 0\n')
    checks.expect('pelvarin Quit quits with 0', p(['press:%d' % p_quit, 'exit']), 'exit 0\n')


# A 93-byte static i386 program that only exits with status 0.
I386_PROBE = bytes.fromhex(
    '7f454c46010101000000000000000000020003000100000054800408340000000000000000000000340020000100'
    '000000000000010000000000000000800408008004085d0000005d000000050000000010000'
    '0b80100000031dbcd80')


def kernel_runs_32bit():
    with tempfile.NamedTemporaryFile(delete=False) as f:
        f.write(I386_PROBE)
    try:
        os.chmod(f.name, 0o755)
        return subprocess.run([f.name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    except OSError:
        return False
    finally:
        os.unlink(f.name)


def start_display():
    """Starts Xvfb on a free display and waits until it accepts connections:
    with -displayfd it writes the display number only once it is ready."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
                            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number:
        xvfb.kill()
        raise RuntimeError('Xvfb did not start')
    return xvfb, ':' + number


def main():
    console_dir = os.path.abspath(sys.argv[1])
    builds = [os.path.abspath(b) for b in sys.argv[2:]]
    if shutil.which('Xvfb') is None:
        print('SKIPPED: Xvfb is not installed')
        return SKIP
    checks = Checks()
    ran = 0
    with tempfile.TemporaryDirectory() as work:
        xvfb, display = start_display()
        try:
            for build in builds:
                with open(os.path.join(build, 'bitness')) as f:
                    bits = f.read().strip()
                loader = '/usr/lib/wine/wine64' if bits == '64' else '/usr/lib/wine/wine'
                server = '/usr/lib/wine/wineserver64' if bits == '64' else '/usr/lib/wine/wineserver32'
                # Skipped only where this machine cannot run such programs at
                # all; everything else that goes wrong is a failure.
                if bits == '32' and not kernel_runs_32bit():
                    print('SKIPPED 32-bit programs: this kernel does not run 32-bit code')
                    continue
                if not os.access(loader, os.X_OK):
                    print('SKIPPED %s-bit programs: no Wine loader %s is installed' % (bits, loader))
                    continue
                checks.expect('%s-bit programs built' % bits, os.path.exists(os.path.join(build, 'Quostel.exe')), True)
                prefix = os.path.join(build, 'wineprefix')
                wine = Wine(loader, server, build, prefix, 'win32' if bits == '32' else 'win64', display)
                # The first start sets up the fresh prefix.
                checks.expect('%s-bit Quostel starts under Wine' % bits, wine.drive('Quostel.exe', ['alive'], work),
                              'alive\n')
                wine.start_server()
                try:
                    ran += 1
                    print('running the %s-bit programs under Wine' % bits)
                    window_scenarios(wine, work, checks)
                    quostel_corpus(wine, console_dir, work, checks)
                    pelvarin_corpus(wine, console_dir, work, checks)
                    cli_corpus(wine, console_dir, work, checks)
                finally:
                    wine.stop_server()
        finally:
            xvfb.terminate()
            xvfb.wait()
    if ran == 0:
        print('SKIPPED: no Windows build could run under Wine here')
        return SKIP
    checks.summary()
    return 0 if checks.failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
