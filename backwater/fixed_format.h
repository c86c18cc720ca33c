// A double in fixed notation with a few decimals, as printf's "%.Nf" writes
// it: the exact binary value rounded to N decimals, ties to even, "." as
// decimal point, a "-" for a negative sign bit (so "-0.00" for -0.001).
// The report writes fifteen thousand rows of eight such numbers; this does
// it with integer arithmetic on the double's bits where that is exact.
#pragma once

// Longest text: the sign, 309 integer digits, the point and the decimals.
constexpr int FIXED_TEXT_SIZE = 320;

// Writes value with `precision` decimals (0 to 3) to `out` and returns the
// length; no terminating NUL.
int formatFixed(double value, int precision, char (&out)[FIXED_TEXT_SIZE]);
