// Field text to number, as the C library's strtod and atol of the classic
// Windows runtime read it in the "C" locale. Whatever follows the number is
// ignored; text without a number reads as 0.
#pragma once

#include <cstdint>

// Decimal text: leading white space, an optional sign, then decimal digits
// with at most one '.' and an optional exponent. Only right after a sign do
// the upper-case words INF and NAN give infinity and a quiet NaN. A comma is
// no decimal separator ("0,5" reads 0), hexadecimal is not recognised ("0x1A"
// reads 0). Correctly rounded; beyond the range of a double gives +-infinity,
// below the smallest subnormal gives 0.
double parseDecimalField(const char* text);

// Integer text: leading white space, an optional sign, decimal digits up to
// the first non-digit ("12.7" reads 12). Accumulated in 32 bits and wrapping
// on overflow, as the runtime does without an overflow test.
std::int32_t parseIntegerField(const char* text);
