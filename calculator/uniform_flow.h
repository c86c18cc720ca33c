// Uniform flow of a trapezoidal channel at a given depth, with the critical
// state of the resulting discharge and the equivalent parabola.
// Symbols and units as in core/section.h.
#pragma once

#include "core/section.h"

// From this bed slope on the velocity follows the steep-slope formula (the
// slope from which the command also warns, ISO_HIGH).
constexpr double STEEP_SLOPE_LIMIT = 0.05;
// Exponent of R in the Strickler velocity below STEEP_SLOPE_LIMIT: ten sixes,
// a value of its own (neither 2/3 nor the exponent of the normal depth).
constexpr double MILD_SLOPE_RADIUS_EXPONENT = 0.6666666666;
// Exponents of the steep-slope velocity kst R^0.52 (asin(atan Iso))^0.4.
constexpr double STEEP_SLOPE_RADIUS_EXPONENT = 0.52;
constexpr double STEEP_SLOPE_TERM_EXPONENT = 0.4;

struct UniformFlowInput {
    TrapezoidSection section;
    double Iso;  // bed slope [-]
    double kst;  // Strickler coefficient [m^(1/3)/s]
    double h;    // water depth [m]
};

struct UniformFlowResult {
    double v;    // mean velocity at h [m/s]
    double Q;    // discharge [m^3/s]
    double hE;   // energy head at h [m]
    double hgr;  // critical depth of Q [m]
    double hEm;  // minimum energy head, at hgr [m]
    double Fr;   // v / sqrt(g hgr) [-]
    double A;    // wetted area at h [m^2]
    double U;    // wetted perimeter at h [m]
    double R;    // hydraulic radius at h [m]
    double k;    // constant of the parabola y = k x^2 of equal area and top width
    double hp;   // height of that parabola at the banks [m]
};

UniformFlowResult computeUniformFlow(const UniformFlowInput& in);

// The discharge of uniform flow at depth h [m^3/s], by the same formulas and
// operations as computeUniformFlow, without the critical state.
double uniformDischarge(const UniformFlowInput& channel, double h);

// Upper end of the depth searched for a given discharge [m]: the largest
// depth the command accepts.
constexpr double DEPTH_FOR_DISCHARGE_MAX = 1000.0;

// The depth at which uniformDischarge gives Q: bisection on
// [0, DEPTH_FOR_DISCHARGE_MAX],
// approached from below (the discharge grows with the depth). Expects
// 0 < Q <= uniformDischarge(channel, DEPTH_FOR_DISCHARGE_MAX).
double depthForDischarge(const UniformFlowInput& channel, double Q);
