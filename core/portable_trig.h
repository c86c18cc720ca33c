// The arctangent and the arcsine of small arguments with the same bits on
// every platform: the C libraries' atan and asin differ in their last bit
// between Linux and Windows (for 2 % of the slopes 0.05 to 0.1 in
// asin(atan(Iso))), which can move a displayed digit of the steep-slope
// velocity.
//
// Both are their Taylor series in double arithmetic: x plus a correction
// below 1/190 of x, so that the result is correctly rounded but for a few
// cases in ten thousand and never off by a unit in the last place. The
// coefficients are computed at compile time.
#pragma once

// Largest argument served: above it the series would need more terms.
constexpr double SMALL_ANGLE_MAX = 0.125;

// atan x and asin x for |x| <= SMALL_ANGLE_MAX; a larger or NaN argument
// gives NaN.
double portableAtan(double x);
double portableAsin(double x);
