// x^y with the same bits on every platform; the core takes every general
// power through it.
//
// The C libraries' pow differ in their last bits: glibc's follows Arm's
// optimized routines with fused multiply-adds where the processor has them,
// mingw-w64's runs on the x87 unit. Of 12 million powers with the exponents
// of the hydraulic relations, 0.18 % came out one unit in the last place
// apart between the two, and a last bit can decide the sign of a residual in
// a bisection. Arm's routine built here with plain SSE2 double arithmetic
// (third_party/arm_pow) gives the same bits wherever it is built so; error
// below 0.52 units in the last place.
#pragma once

#include "arm_pow.h"

inline double portablePow(double x, double y) {
    return arm_pow(x, y);
}
