// Critical depth hgr and normal depth hn of a trapezoidal channel.
// Symbols and units as in section.h.
#pragma once

#include "core/section.h"

// Depth bracket of both solvers [m]. A depth sought outside it (or one that
// does not exist, as for Q = 0) is not found: the solver then returns a value
// less than BISECTION_TOLERANCE below DEPTH_BRACKET_HIGH.
constexpr double DEPTH_BRACKET_LOW = 0.05;
constexpr double DEPTH_BRACKET_HIGH = 70.0;

// Residual of the critical-flow relation Q^2 B = g A^3, written as the
// fixed point h - (B Q^2 / g)^0.33333333333 / (A/h)  [m].
// Negative below the critical depth, positive above it (Q > 0); equal to h
// for Q = 0.
double criticalDepthResidual(double h, double bso, double m, double n, double Q);

// Residual of uniform flow Q - Iso^0.5 kst A R^0.666666666666  [m^3/s]:
// the given discharge less the discharge that uniform flow at depth h
// carries. Positive below the normal depth, negative above it
// (Q, kst, Iso > 0); equal to Q for kst = 0.
double normalDepthResidual(double h, double Q, double kst, double bso, double m, double n, double Iso);

// hgr [m]: bisection of criticalDepthResidual on [DEPTH_BRACKET_LOW, DEPTH_BRACKET_HIGH].
double criticalDepth(double bso, double m, double n, double Q);

// hn [m]: bisection of normalDepthResidual on [DEPTH_BRACKET_LOW, DEPTH_BRACKET_HIGH].
double normalDepth(double Q, double kst, double bso, double m, double n, double Iso);

// Whether the depth bracket holds a sign change of the residual, that
// is whether criticalDepth / normalDepth found a real root and not the
// upper end of the bracket.
bool criticalDepthInBracket(double bso, double m, double n, double Q);
bool normalDepthInBracket(double Q, double kst, double bso, double m, double n, double Iso);

struct CriticalState {
    double hgr;  // critical depth of the discharge [m]
    double hEm;  // minimum energy head: the energy head at hgr [m]
    double Fr;   // Froude number of a flow of velocity v, referred to hgr [-]
};

// The critical state of the discharge Q in section s, and the Froude number
// v / sqrt(g hgr) of a flow of that discharge at velocity v.
CriticalState criticalState(TrapezoidSection s, double Q, double v);
