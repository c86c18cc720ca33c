"""A tally of named comparisons for the Windows test scripts: prints each
failure with both values and ends with the line 'N passed, M failed'."""


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def expect(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
        else:
            self.failed += 1
            print('FAIL %s\n  expected: %r\n  actual:   %r' % (name, expected, actual))

    def summary(self):
        print('%d passed, %d failed' % (self.passed, self.failed))
