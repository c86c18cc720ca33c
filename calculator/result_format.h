#pragma once

// Minimum size of the buffer for formatResultValue: the longest text,
// "-1.2345e-308", and the NUL fit many times over.
constexpr int RESULT_TEXT_SIZE = 50;

// The display text of a result: five significant digits, as printf's "%.5g"
// writes it in the "C" locale (plain notation for decimal exponents -4 to 4,
// otherwise d.dddde+XX with at least two exponent digits, trailing zeros and
// a bare point removed). Formatted by the standard library's shortest-path
// conversion, so the text is the same on every platform and every locale.
void formatResultValue(double value, char (&text)[RESULT_TEXT_SIZE]);
