// Double-double arithmetic: a value carried as the unevaluated sum hi + lo of
// two doubles, good to about 106 bits, built from the IEEE basic operations
// alone (the error-free transformations of Knuth and Dekker). It needs every
// operation rounded to double exactly as written: SSE2 arithmetic and no
// contraction of a*b+c into a fused multiply-add (see the top-level build).
//
// Everything is constexpr, so the same code computes the power function's
// tables at compile time and its working values at run time.
#pragma once

#include <cfloat>

static_assert(FLT_EVAL_METHOD == 0, "double-double arithmetic needs every operation rounded to double");

struct DoubleDouble {
    double hi;
    double lo;  // |lo| <= half an ulp of hi
};

// a + b exactly, as a rounded sum and its rounding error.
constexpr DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double e = (a - (s - bb)) + (b - bb);
    return {s, e};
}

// a + b exactly, for |a| >= |b| (or a = 0).
constexpr DoubleDouble fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a as the sum of two halves of at most 26 significant bits each, whose
// products are exact in double. Valid for |a| below about 2^996.
constexpr DoubleDouble splitHalves(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly, as a rounded product and its rounding error, with b already
// split into halves.
constexpr DoubleDouble twoProductSplit(double a, DoubleDouble aHalves, double b, DoubleDouble bHalves) {
    const double p = a * b;
    const double e = ((aHalves.hi * bHalves.hi - p) + aHalves.hi * bHalves.lo + aHalves.lo * bHalves.hi) +
                     aHalves.lo * bHalves.lo;
    return {p, e};
}

constexpr DoubleDouble twoProduct(double a, double b) {
    return twoProductSplit(a, splitHalves(a), b, splitHalves(b));
}

constexpr DoubleDouble ddAdd(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    const DoubleDouble u = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(u.hi, u.lo + t.lo);
}

constexpr DoubleDouble ddNeg(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

constexpr DoubleDouble ddMul(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DoubleDouble ddDiv(DoubleDouble a, DoubleDouble b) {
    const double q1 = a.hi / b.hi;
    const DoubleDouble r1 = ddAdd(a, ddNeg(ddMul(b, {q1, 0.0})));
    const double q2 = r1.hi / b.hi;
    const DoubleDouble r2 = ddAdd(r1, ddNeg(ddMul(b, {q2, 0.0})));
    const double q3 = r2.hi / b.hi;
    return ddAdd(fastTwoSum(q1, q2), {q3, 0.0});
}
