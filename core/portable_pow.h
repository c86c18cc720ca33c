// x^y with the same bits on every platform; the core takes every general
// power through it.
//
// The C libraries' pow differ in their last bits between platforms, and a
// last bit can decide the sign of a residual in a bisection. This one is
// built from the IEEE basic operations alone (+, -, *, / in double, no fused
// multiply-add, no x87, no call into a math library), so every build that
// rounds each operation to double computes the same bits: the Linux build and
// both Windows builds alike.
//
// Method: ln x in double-double from a table of ln c and 1/c on a grid of
// c = 1 + i/128, then y ln x in double-double, then e^(y ln x) from a table
// of 2^(j/64) and a short series. The error stays below one unit in the last
// place, and the result is correctly rounded in all but a few cases in ten
// thousand (measured against MPFR). Special values follow C's pow.
#pragma once

double portablePow(double x, double y);

// x^y to within APPROXIMATE_POW_ERROR of portablePow(x, y), relatively,
// quickly, in plain double arithmetic: for deciding the sign of a residual
// without the full computation wherever the margin allows. NaN for a zero,
// subnormal, negative or non-finite x, for |y| above 16, and for results
// beyond e^700 or below e^-700.
double approximatePow(double x, double y);

// The truncated series leave below 2^-38 in ln x, which |y| <= 16 carries
// into y ln x, and below 2^-42 in e^r; the roundings add at most a few units
// of 2^-53 (|k| ln2 + 1) for k up to 1075, times |y|, and of 2^-53 |y ln x|.
// Together below 2^-32; the bound is twice that.
constexpr double APPROXIMATE_POW_ERROR = 0x1p-31;
