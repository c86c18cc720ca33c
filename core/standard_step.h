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

// Depth [m] at the section l upstream of a section of depth hKnown: the root
// of stepResidual found by bisection on [0.6 hKnown, 3 hKnown], returned as
// the lower end of the last bracket (see bisection.h). The bracket can hold
// two sign changes, a shallow and a deep one; the lower end keeps the sign of
// the residual at 0.6 hKnown. Without a sign change the result lies just
// below 3 hKnown. Takes 22 steps for hKnown = 0.1 m, 25 for 1 m, 32 for 100 m.
double nextProfileDepth(double hKnown, double beta, double bso, double m, double n, double Q, double l,
                        double kst, double Iso);
