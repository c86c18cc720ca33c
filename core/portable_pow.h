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
// Method: ln x in double-double from a table, indexed by the leading bits of
// x, of points c with ln c and a short 1/c (so that (x - c)/c is formed
// exactly), then y ln x in double-double, then e^(y ln x) from a table of
// 2^(j/256) and a short series. The error stays below one unit in the last
// place, and the result is correctly rounded in all but a few cases in ten
// thousand (measured against MPFR). Special values follow C's pow.
#pragma once

double portablePow(double x, double y);
