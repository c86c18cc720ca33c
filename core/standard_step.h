// Standard-step energy balance between two cross-sections a distance l apart.
//
// Symbols and units as in section.h, and:
//   hKnown  depth at the known, downstream section  [m]
//   h       trial depth at the section l upstream   [m]
//   beta    energy coefficient on the velocity heads [-]
//   l       distance between the two sections        [m]
#pragma once

// Energy-balance residual [m]:
//   hKnown + beta (vK^2 - vT^2)/(2g) + l vm^2 / (kst^2 Rm^1.33333333333333) - l Iso - h
// with vK = Q/A(hKnown), vT = Q/A(h), vm = Q/((AK + AT)/2) and the mean
// hydraulic radius Rm = (AK + AT)/(UK + UT). Zero where the energy head at h,
// measured from the bed of the known section, equals the energy head at the
// known section plus the friction loss over l.
double stepResidual(double h, double hKnown, double beta, double bso, double m, double n, double Q,
                    double l, double kst, double Iso);

// A value that a bisection may use in place of stepResidual: of the same
// sign, and zero only where the residual is zero. Formed with a quick power
// wherever that leaves no doubt about the sign; near a root it is the
// residual itself.
double stepResidualForSign(double h, double hKnown, double beta, double bso, double m, double n, double Q,
                           double l, double kst, double Iso);

// Depth [m] at the section l upstream of a section of depth hKnown: the root
// of stepResidual found by bisection on [0.6 hKnown, 3 hKnown], returned as
// the lower end of the last bracket (see bisection.h). The bracket can hold
// two sign changes, a shallow and a deep one; the lower end keeps the sign of
// the residual at 0.6 hKnown. Without a sign change the result lies just
// below 3 hKnown. Takes 22 steps for hKnown = 0.1 m, 25 for 1 m, 32 for 100 m.
double nextProfileDepth(double hKnown, double beta, double bso, double m, double n, double Q, double l,
                        double kst, double Iso);

// The branch of the energy balance that a march upstream follows.
//
// With beta > 0 the energy balance has its own critical depth hb, where
// beta Q^2 B = g A^3: the critical depth of sqrt(beta) Q. On a mild channel
// (normal depth above hb) the flow upstream of a control profile at or above
// hb is subcritical, and the residual of the step can have two roots, a
// shallow, supercritical one and the subcritical one the profile follows.
// The bracket [0.6 hKnown, 3 hKnown] then holds no sign change whenever
// 0.6 hKnown lies below the shallow root, and the plain bisection climbs to
// the top of the bracket. Above hb the residual falls monotonically, so
// [hb, 3 hKnown] holds the subcritical root alone.
struct FlowBranch {
    bool mild;     // beta > 0, hn and hb found in the depth bracket, and hn > hb
    double hb;     // critical depth of the energy balance [m]; 0 for beta = 0
    bool hbFound;  // beta > 0 and hb lies inside the depth bracket
};

// The branch of a channel with normal depth hn (from normalDepth).
FlowBranch flowBranch(double hn, double beta, double bso, double m, double n, double Q, double kst, double Iso);

struct StepDepth {
    double h;              // depth at the section l upstream [m]
    bool criticalAssumed;  // no subcritical balance existed: h is hb
};

// nextProfileDepth, kept on the subcritical branch of a mild channel:
//   1. f(0.6 hKnown) is evaluated as in nextProfileDepth. If hKnown >= hb
//      and f(0.6 hKnown) <= 0, f(3 hKnown) is evaluated too.
//   2. If also f(3 hKnown) < 0, the bracket holds no sign change: f(hb) is
//      evaluated. If f(hb) <= 0 the energy cannot be balanced on the
//      subcritical branch and the depth is hb, marked criticalAssumed.
//      Otherwise the same bisection runs on [hb, 3 hKnown], from f(hb).
//   3. In every other case, and on every channel that is not mild, the
//      result is nextProfileDepth's to the last bit.
StepDepth nextProfileDepthOnBranch(double hKnown, FlowBranch branch, double beta, double bso, double m, double n,
                                   double Q, double l, double kst, double Iso);
