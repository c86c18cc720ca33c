#include "core/depth_solvers.h"

#include <cmath>

#include "core/bisection.h"
#include "core/constants.h"
#include "core/portable_pow.h"
#include "core/section.h"

double criticalDepthResidual(double h, double bso, double m, double n, double Q) {
    const double B = (m + n) * h + bso;  // water-surface width
    const double X = B * (Q * Q * INV_GRAVITY);
    const double P = portablePow(X, CRITICAL_DEPTH_EXPONENT);
    const double W = (m + n) * h * 0.5 + bso;  // mean width A/h
    return h - P * (1.0 / W);
}

double normalDepthResidual(double h, double Q, double kst, double bso, double m, double n, double Iso) {
    const TrapezoidSection s{bso, m, n};
    const double U = wettedPerimeter(s, h);
    const double A = wettedArea(s, h);
    const double R = A / U;
    const double K = A * (portablePow(R, NORMAL_DEPTH_EXPONENT) * kst);  // conveyance
    return Q - std::sqrt(Iso) * K;
}

double criticalDepth(double bso, double m, double n, double Q) {
    return solveDepthBisection([=](double h) { return criticalDepthResidual(h, bso, m, n, Q); },
                               DEPTH_BRACKET_LOW, DEPTH_BRACKET_HIGH);
}

double normalDepth(double Q, double kst, double bso, double m, double n, double Iso) {
    return solveDepthBisection([=](double h) { return normalDepthResidual(h, Q, kst, bso, m, n, Iso); },
                               DEPTH_BRACKET_LOW, DEPTH_BRACKET_HIGH);
}

bool criticalDepthInBracket(double bso, double m, double n, double Q) {
    return signsDiffer(criticalDepthResidual(DEPTH_BRACKET_LOW, bso, m, n, Q),
                       criticalDepthResidual(DEPTH_BRACKET_HIGH, bso, m, n, Q));
}

bool normalDepthInBracket(double Q, double kst, double bso, double m, double n, double Iso) {
    return signsDiffer(normalDepthResidual(DEPTH_BRACKET_LOW, Q, kst, bso, m, n, Iso),
                       normalDepthResidual(DEPTH_BRACKET_HIGH, Q, kst, bso, m, n, Iso));
}

CriticalState criticalState(TrapezoidSection s, double Q, double v) {
    const double hgr = criticalDepth(s.bso, s.m, s.n, Q);
    const double vgr = Q / wettedArea(s, hgr);
    return {hgr, energyHead(hgr, vgr), froudeNumber(v, hgr)};
}
