// The tables of the power function, computed at compile time in double-double
// arithmetic from series: nothing here is a constant copied from elsewhere.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "core/double_double.h"

namespace pow_tables {

// atanh(t) = t + t^3/3 + t^5/5 + ..., for |t| <= 1/3.
constexpr DoubleDouble atanhSeries(DoubleDouble t) {
    const DoubleDouble t2 = ddMul(t, t);
    DoubleDouble power = t;
    DoubleDouble sum = t;
    for (int k = 1; k < 60; ++k) {
        power = ddMul(power, t2);
        const DoubleDouble term = ddDiv(power, {2.0 * k + 1.0, 0.0});
        sum = ddAdd(sum, term);
        const double size = term.hi < 0.0 ? -term.hi : term.hi;
        const double whole = sum.hi < 0.0 ? -sum.hi : sum.hi;
        if (size < 0x1p-110 * whole) break;  // beyond the precision of a double-double
    }
    return sum;
}

// ln 2 = 2 atanh(1/3).
constexpr DoubleDouble LN2 = [] {
    const DoubleDouble a = atanhSeries(ddDiv({1.0, 0.0}, {3.0, 0.0}));
    return DoubleDouble{2.0 * a.hi, 2.0 * a.lo};
}();

// ln 2 split so that k LN2_SHORT.hi is exact for |k| < 2^11: its high part
// keeps 42 significant bits.
constexpr DoubleDouble LN2_SHORT = [] {
    const double hi = (LN2.hi + 1024.0) - 1024.0;  // rounded to a multiple of 2^-42
    return DoubleDouble{hi, (LN2.hi - hi) + LN2.lo};
}();

// The logarithm reduces x = 2^k z with z in [LOG_BASE, 2 LOG_BASE) by the
// leading bits of z: LOG_INDEX_BITS of them (after LOG_BASE is subtracted
// from the bit pattern) pick an interval of z, and c, the midpoint of that
// interval in the bit pattern, is a short double, so that z - c is exact and
// |z - c| / c < 2^-9.
constexpr std::uint64_t LOG_BASE = 0x3FE6A00000000000u;  // 0.70703125, about sqrt(1/2)
constexpr int LOG_INDEX_BITS = 9;
constexpr int LOG_INDEX_SHIFT = 52 - LOG_INDEX_BITS;

struct LogRow {
    double c;          // midpoint of the interval
    double invcShort;  // 1/c to 10 significant bits: d * invcShort is exact for |d| < 2^-9
    double invcRest;   // 1/c - invcShort
    DoubleDouble lnc;  // ln c
    double lnc256;     // ln c in units of ln2/256 (log2 c times 256), for the quick power
};

// ln c for c in [0.7, 1.42]: 2 atanh((c - 1) / (c + 1)).
constexpr DoubleDouble logOfShort(double c) {
    const DoubleDouble a = atanhSeries(ddDiv({c - 1.0, 0.0}, {c + 1.0, 0.0}));  // c - 1, c + 1 exact
    return {2.0 * a.hi, 2.0 * a.lo};
}

constexpr std::array<LogRow, 1 << LOG_INDEX_BITS> LOG_ROWS = [] {
    std::array<LogRow, 1 << LOG_INDEX_BITS> rows{};
    for (std::uint64_t i = 0; i < rows.size(); ++i) {
        const std::uint64_t start = LOG_BASE + (i << LOG_INDEX_SHIFT);
        std::uint64_t mid = start + (std::uint64_t{1} << (LOG_INDEX_SHIFT - 1));
        const double c = std::bit_cast<double>(mid);
        const DoubleDouble invc = ddDiv({1.0, 0.0}, {c, 0.0});
        // 10 significant bits: round at 2^(e - 9) for 1/c in [2^e, 2^(e+1))
        const double unit = invc.hi >= 1.0 ? 0x1p-9 : 0x1p-10;
        const double magic = unit * 0x1p52;
        const double invcShort = (invc.hi + magic) - magic;
        const DoubleDouble lnc = logOfShort(c);
        rows[i] = {c, invcShort, (invc.hi - invcShort) + invc.lo, lnc, ddDiv(ddMul(lnc, {256.0, 0.0}), LN2).hi};
    }
    return rows;
}();

// The exponential reduces t = (256 e + j) ln2/256 + r, |r| <= ln2/512, to
// 2^e 2^(j/256) e^r.
constexpr int EXP_GRID = 256;

// ln2/256 split so that k LN2_BY_GRID.hi is exact for |k| < 2^19: its high
// part keeps 34 significant bits.
constexpr DoubleDouble LN2_BY_GRID = [] {
    const double hi = (LN2.hi / EXP_GRID + 0x1p9) - 0x1p9;  // a multiple of 2^-43
    return DoubleDouble{hi, (LN2.hi / EXP_GRID - hi) + LN2.lo / EXP_GRID};
}();

// e^x = 1 + x + x^2/2! + ..., for 0 <= x < 1.
constexpr DoubleDouble expSeries(DoubleDouble x) {
    DoubleDouble term = {1.0, 0.0};
    DoubleDouble sum = {1.0, 0.0};
    for (int n = 1; n < 40 && term.hi > 0x1p-110; ++n) {
        term = ddDiv(ddMul(term, x), {double(n), 0.0});
        sum = ddAdd(sum, term);
    }
    return sum;
}

// 2^(j/256) for j = 0 .. 255.
constexpr std::array<DoubleDouble, EXP_GRID> EXP_ROWS = [] {
    std::array<DoubleDouble, EXP_GRID> rows{};
    for (int j = 0; j < EXP_GRID; ++j) rows[j] = expSeries(ddMul({double(j), 0.0}, {LN2.hi / EXP_GRID, LN2.lo / EXP_GRID}));
    return rows;
}();

// 2^e as a double, for e in [-1022, 1023].
inline double powerOfTwo(int e) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

}  // namespace pow_tables
