// Root finding by bisection, shared by the critical-depth, normal-depth and
// standard-step solvers.
#pragma once

// The bisection stops once the bracket is no wider than this [m].
constexpr double BISECTION_TOLERANCE = 1e-7;

// True when the residual values at the two ends of a bracket are nonzero and
// of opposite signs. Written as a comparison of signs rather than as the sign
// of a product, which could underflow to zero for two tiny residuals. A NaN
// is of no sign. The comparisons are combined with bitwise operators: a
// bisection's decisions are coin flips, which a branch predictor cannot
// learn, and this way they cost no branch at all.
inline bool signsDiffer(double a, double b) {
    return ((a < 0.0) & (b > 0.0)) | ((a > 0.0) & (b < 0.0));
}

// solveDepthBisectionFrom(f, L, H, fL): a depth [m] near a sign change of the
// residual f on [L, H], where fL is f(L), already known to the caller.
//
// Contract:
//   - f(H) is never evaluated; every step evaluates f at the midpoint
//     (lo + hi) * 0.5 and keeps the half whose ends differ in sign. The
//     lower end takes over the midpoint, and its residual, whenever the
//     signs do not differ, also when f(lo) is exactly zero.
//   - A midpoint with a residual of exactly 0 is returned at once.
//   - Otherwise the search stops once hi - lo <= BISECTION_TOLERANCE and
//     returns the lower end lo, not the midpoint: a root is approached from
//     below and the result lies less than the tolerance below it. At least
//     one step is made.
//   - The step count is the smallest k with (H - L) 2^-k <= the tolerance:
//     30 steps and 31 residual evaluations on the depth bracket of the
//     critical and normal depth.
//   - A bracket without a sign change is not reported: the lower end climbs
//     at every step and the result lies less than the tolerance below H.
//   - Above about 5e8 m two neighbouring doubles lie more than the tolerance
//     apart, so a bracket there can stop shrinking before it is narrow
//     enough. The search then stops as soon as no double lies between its
//     ends and returns the lower end, instead of looping for ever. Below that
//     magnitude a midpoint always lies strictly inside, and nothing changes.
template <class Residual>
double solveDepthBisectionFrom(Residual f, double L, double H, double fL) {
    double lo = L;
    double hi = H;
    double flo = fL;
    for (;;) {
        const double mid = (lo + hi) * 0.5;
        // Also ends a bracket of NaN or infinite ends (a depth beyond the
        // range of a double, from a march without sign changes).
        if (!((mid > lo) & (mid < hi))) return lo;
        const double fmid = f(mid);
        if (fmid == 0.0) return mid;
        // Both ends are updated by selection rather than by a branch.
        const bool upper = signsDiffer(flo, fmid);
        hi = upper ? mid : hi;
        lo = upper ? lo : mid;
        flo = upper ? flo : fmid;
        if (!(hi - lo > BISECTION_TOLERANCE)) return lo;
    }
}

// solveDepthBisection(f, L, H): the same search, evaluating f(L) once first.
template <class Residual>
double solveDepthBisection(Residual f, double L, double H) {
    return solveDepthBisectionFrom(f, L, H, f(L));
}
