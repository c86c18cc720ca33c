// Root finding by bisection, shared by the critical-depth, normal-depth and
// standard-step solvers.
#pragma once

// The bisection stops once the bracket is no wider than this [m].
constexpr double BISECTION_TOLERANCE = 1e-7;

// True when the residual values at the two ends of a bracket are nonzero and
// of opposite signs. Written as a comparison of signs rather than as the sign
// of a product, which could underflow to zero for two tiny residuals. A NaN
// is of no sign.
inline bool signsDiffer(double a, double b) {
    return (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
}

// solveDepthBisection(f, L, H): a depth [m] near a sign change of the
// residual f on [L, H].
//
// Contract:
//   - f(L) is evaluated once, f(H) never; every step evaluates f at the
//     midpoint (lo + hi) * 0.5 and keeps the half whose ends differ in sign.
//     The lower end takes over the midpoint, and its residual, whenever the
//     signs do not differ, also when f(lo) is exactly zero.
//   - A midpoint with a residual of exactly 0 is returned at once.
//   - Otherwise the search stops once hi - lo <= 1e-7 and returns the lower
//     end lo, not the midpoint: a root is approached from below and the
//     result lies less than 1e-7 below it. At least one step is made.
//   - The step count is the smallest k with (H - L) 2^-k <= 1e-7: 30 steps
//     and 31 residual evaluations on the depth bracket [0.05, 70].
//   - A bracket without a sign change is not reported: the lower end climbs
//     at every step and the result lies less than 1e-7 below H.
//   - Above about 5e8 m two neighbouring doubles lie more than 1e-7 apart,
//     so a bracket there can stop shrinking before it is 1e-7 wide. The
//     search then stops as soon as no double lies between its ends and
//     returns the lower end, instead of looping for ever. Below that
//     magnitude a midpoint always lies strictly inside, and nothing changes.
template <class Residual>
double solveDepthBisection(Residual f, double L, double H) {
    double lo = L;
    double hi = H;
    double flo = f(lo);
    for (;;) {
        const double mid = (lo + hi) * 0.5;
        // Also ends a bracket of NaN or infinite ends (a depth beyond the
        // range of a double, from a march without sign changes).
        if (!(mid > lo && mid < hi)) return lo;
        const double fmid = f(mid);
        if (fmid == 0.0) return mid;
        if (signsDiffer(flo, fmid)) {
            hi = mid;
        } else {
            lo = mid;
            flo = fmid;
        }
        if (!(hi - lo > BISECTION_TOLERANCE)) return lo;
    }
}
