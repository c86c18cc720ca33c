// A quick power in plain double arithmetic, for deciding the sign of a
// residual without the full computation wherever the margin allows. Inline,
// so that the residual that uses it is one piece of straight-line code.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>

#include "core/pow_tables.h"

// The truncated series leave below 2^-38 in ln x, which |y| <= 16 carries
// into y ln x, and below 2^-42 in e^r; the roundings add at most a few units
// of 2^-53 (|k| ln2 + 1) for k up to 1075, times |y|, and of 2^-53 |y ln x|.
// Together below 2^-32; the bound is twice that.
constexpr double APPROXIMATE_POW_ERROR = 0x1p-31;

// x^y to within APPROXIMATE_POW_ERROR of portablePow(x, y), relatively. NaN
// for a zero, subnormal, negative or non-finite x, for |y| above 16, and for
// results beyond e^700 or below e^-700.
inline double approximatePow(double x, double y) {
    using namespace pow_tables;
    constexpr double NOT_SERVED = std::numeric_limits<double>::quiet_NaN();
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const std::uint64_t exponentField = bits >> 52;  // also 0x800 and up for a negative x
    if (exponentField == 0 || exponentField >= 0x7FF || !(y >= -16.0 && y <= 16.0)) return NOT_SERVED;

    // The logarithm's reduction in plain double, and three terms of
    // ln(1 + r) for |r| < 2^-9: the rest is below 2^-38.
    const std::uint64_t offset = bits - LOG_BASE;
    const double kd = static_cast<double>(static_cast<std::int64_t>(offset) >> 52);
    const LogRow& row = LOG_ROWS[(offset >> LOG_INDEX_SHIFT) & ((1u << LOG_INDEX_BITS) - 1)];
    const double z = std::bit_cast<double>(bits - (offset & 0xFFF0000000000000u));
    const double d = z - row.c;
    const double r = d * row.invcShort + d * row.invcRest;
    const double log1p = r + r * r * (-0.5 + r * (1.0 / 3));
    const double lnx = (kd * LN2_SHORT.hi + row.lnc.hi) + (log1p + kd * LN2_SHORT.lo);
    const double t = y * lnx;
    if (!(t > -700.0 && t < 700.0)) return NOT_SERVED;

    // The exponential's reduction in plain double, and four terms of e^r
    // for |r| <= ln2/512: the rest is below 2^-42.
    constexpr double SHIFT = 0x1.8p52;
    const double shifted = t * (EXP_GRID / LN2.hi) + SHIFT;
    const std::int64_t k = static_cast<std::int32_t>(std::bit_cast<std::uint64_t>(shifted));
    const double kt = shifted - SHIFT;
    const double rt = (t - kt * LN2_BY_GRID.hi) - kt * LN2_BY_GRID.lo;
    const double p = rt + rt * rt * (0.5 + rt * (1.0 / 6));
    const double T = EXP_ROWS[k & (EXP_GRID - 1)].hi;
    return (T + T * p) * powerOfTwo(static_cast<int>(k >> 8));  // k / EXP_GRID, rounded down
}
