// The tables of the power function, computed at compile time in double-double
// arithmetic from series: nothing here is a constant copied from elsewhere.
#pragma once

#include <array>

#include "double_double.h"

namespace pow_tables {

// atanh(t) = t + t^3/3 + t^5/5 + ..., for |t| <= 1/3.
constexpr DoubleDouble atanhSeries(DoubleDouble t) {
    const DoubleDouble t2 = ddMul(t, t);
    DoubleDouble power = t;
    DoubleDouble sum = t;
    for (int k = 1; k < 60; ++k) {
        power = ddMul(power, t2);
        sum = ddAdd(sum, ddDiv(power, {2.0 * k + 1.0, 0.0}));
    }
    return sum;
}

// ln 2 = 2 atanh(1/3).
constexpr DoubleDouble LN2 = [] {
    const DoubleDouble a = atanhSeries(ddDiv({1.0, 0.0}, {3.0, 0.0}));
    return DoubleDouble{2.0 * a.hi, 2.0 * a.lo};
}();

// The logarithm reduces x = 2^k z with z in [sqrt(1/2), sqrt(2)) to the
// nearest point c = 1 + i/128 of a grid, z = c (1 + r) with |r| < 1/180.
constexpr int LOG_GRID = 128;
constexpr int LOG_LOWEST = -38;  // i for z = sqrt(1/2), with a row to spare
constexpr int LOG_HIGHEST = 54;  // i for z = sqrt(2), with a row to spare

struct LogRow {
    DoubleDouble invc;        // 1/c
    DoubleDouble invcHalves;  // invc.hi split into halves, for exact products
    DoubleDouble lnc;         // ln c
};

constexpr std::array<LogRow, LOG_HIGHEST - LOG_LOWEST + 1> LOG_ROWS = [] {
    std::array<LogRow, LOG_HIGHEST - LOG_LOWEST + 1> rows{};
    for (int i = LOG_LOWEST; i <= LOG_HIGHEST; ++i) {
        const double c = 1.0 + i * (1.0 / LOG_GRID);  // exact
        const DoubleDouble invc = ddDiv({1.0, 0.0}, {c, 0.0});
        // ln c = 2 atanh((c - 1) / (c + 1)) = 2 atanh(i / (2 LOG_GRID + i))
        const DoubleDouble a = atanhSeries(ddDiv({double(i), 0.0}, {2.0 * LOG_GRID + i, 0.0}));
        rows[i - LOG_LOWEST] = {invc, splitHalves(invc.hi), {2.0 * a.hi, 2.0 * a.lo}};
    }
    return rows;
}();

// The exponential reduces y = (64 e + j) ln2/64 + r, |r| <= ln2/128, to
// 2^e 2^(j/64) e^r.
constexpr int EXP_GRID = 64;

constexpr DoubleDouble LN2_BY_GRID = {LN2.hi / EXP_GRID, LN2.lo / EXP_GRID};  // exact: a power of two

// e^x = 1 + x + x^2/2! + ..., for 0 <= x < 1.
constexpr DoubleDouble expSeries(DoubleDouble x) {
    DoubleDouble term = {1.0, 0.0};
    DoubleDouble sum = {1.0, 0.0};
    for (int n = 1; n < 40; ++n) {
        term = ddDiv(ddMul(term, x), {double(n), 0.0});
        sum = ddAdd(sum, term);
    }
    return sum;
}

// 2^(j/64) for j = 0 .. 63.
constexpr std::array<DoubleDouble, EXP_GRID> EXP_ROWS = [] {
    std::array<DoubleDouble, EXP_GRID> rows{};
    for (int j = 0; j < EXP_GRID; ++j) rows[j] = expSeries(ddMul({double(j), 0.0}, LN2_BY_GRID));
    return rows;
}();

}  // namespace pow_tables
