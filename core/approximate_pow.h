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

namespace quick_power {

constexpr double UNITS_PER_NEPER = pow_tables::EXP_GRID / pow_tables::LN2.hi;  // ln x in units of ln2/256
constexpr double UNIT = pow_tables::LN2.hi / pow_tables::EXP_GRID;             // ln2/256
constexpr double SHIFT = 0x1.8p52;  // adding it rounds to an integer
constexpr double MAX_UNITS = 700.0 * UNITS_PER_NEPER;

// x = 2^k c (1 + r): the logarithm's reduction in plain double. Served is a
// positive normal x and |y| <= 16.
struct LogReduction {
    bool served;
    double k256;  // 256 k + ln c in units of ln2/256
    double r;     // |r| < 2^-9
};

inline LogReduction reduceLogarithm(double x, double y) {
    using namespace pow_tables;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const std::uint64_t exponentField = bits >> 52;  // also 0x800 and up for a negative x
    if (exponentField == 0 || exponentField >= 0x7FF || !(y >= -16.0 && y <= 16.0)) return {false, 0.0, 0.0};
    const std::uint64_t offset = bits - LOG_BASE;
    const double kd = static_cast<double>(static_cast<std::int64_t>(offset) >> 52);
    const LogRow& row = LOG_ROWS[(offset >> LOG_INDEX_SHIFT) & ((1u << LOG_INDEX_BITS) - 1)];
    const double z = std::bit_cast<double>(bits - (offset & 0xFFF0000000000000u));
    // The sum 1/c waits on nothing but the table.
    return {true, kd * EXP_GRID + row.lnc256, (z - row.c) * (row.invcShort + row.invcRest)};
}

// e^(yu ln2/256) = 2^e 2^(j/256) e^(w ln2/256) with yu = 256 e + j + w:
// the nearest integer by the addition of SHIFT, w exact. Gives 2^e 2^(j/256)
// (2^e added to the exponent of the table's value, e within +-1010) and w.
inline double scaleOf(double yu, double& w) {
    using namespace pow_tables;
    const double shifted = yu + SHIFT;
    const std::int64_t k = static_cast<std::int32_t>(std::bit_cast<std::uint64_t>(shifted));
    w = yu - (shifted - SHIFT);
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(EXP_ROWS[k & (EXP_GRID - 1)].hi) +
                                 (static_cast<std::uint64_t>(k >> 8) << 52));
}

}  // namespace quick_power

// x^y to within APPROXIMATE_POW_ERROR of portablePow(x, y), relatively. NaN
// for a zero, subnormal, negative or non-finite x, for |y| above 16, and for
// results beyond e^700 or below e^-700.
inline double approximatePow(double x, double y) {
    using namespace quick_power;
    const LogReduction reduced = reduceLogarithm(x, y);
    if (!reduced.served) return std::numeric_limits<double>::quiet_NaN();
    // ln x in units of ln2/256, so that e^(y ln x) needs no reduction of its
    // own: three terms of ln(1 + r), the rest being below 2^-38, with the
    // coefficients taken times 256/ln2.
    const double r = reduced.r;
    const double series = r * UNITS_PER_NEPER + r * r * (-0.5 * UNITS_PER_NEPER + r * (UNITS_PER_NEPER / 3));
    const double yu = y * (reduced.k256 + series);
    if (!(yu > -MAX_UNITS && yu < MAX_UNITS)) return std::numeric_limits<double>::quiet_NaN();
    // Four terms of e^(w ln2/256), |w| <= 1/2, the rest being below 2^-42,
    // the coefficients taken times powers of ln2/256.
    double w = 0.0;
    const double scale = scaleOf(yu, w);
    const double p = w * UNIT + w * w * (0.5 * UNIT * UNIT + w * (UNIT * UNIT * UNIT / 6));
    return scale + scale * p;
}

// The rougher power of the first bisection steps, far from a root, where a
// sign stands out by much more than a ten-thousandth: the same reduction
// with one term of each series. Leaving out r^2/2 (|r| < 2^-9) moves ln x
// by less than 2^-19, which |y| <= 16 makes 2^-15 in y ln x; leaving out
// the terms of e^r from r^2 on moves it by less than 2^-20; the roundings
// add far less. The bound is twice their sum.
constexpr double ROUGH_POW_ERROR = 0x1p-13;

// x^y to within ROUGH_POW_ERROR of portablePow(x, y), relatively. NaN where
// approximatePow is.
inline double roughPow(double x, double y) {
    using namespace quick_power;
    const LogReduction reduced = reduceLogarithm(x, y);
    if (!reduced.served) return std::numeric_limits<double>::quiet_NaN();
    const double yu = y * (reduced.k256 + reduced.r * UNITS_PER_NEPER);
    if (!(yu > -MAX_UNITS && yu < MAX_UNITS)) return std::numeric_limits<double>::quiet_NaN();
    double w = 0.0;
    const double scale = scaleOf(yu, w);
    return scale + scale * (w * UNIT);
}
