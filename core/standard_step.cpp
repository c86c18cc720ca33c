#include "core/standard_step.h"

#include <cmath>

#include "core/approximate_pow.h"
#include "core/bisection.h"
#include "core/constants.h"
#include "core/depth_solvers.h"
#include "core/portable_pow.h"
#include "core/section.h"

namespace {

// Everything of the residual that does not depend on the trial depth. One
// march calls the residual some 26 times per profile with the same known
// section, so these terms are formed once per call of nextProfileDepth. Each
// is the same single operation on the same operands as in the full formula,
// so the residual keeps every bit.
struct StepTerms {
    double hKnown, beta, bso, Q, l, kst, Iso;
    double mPlusN;  // m + n
    double bank;    // sqrt(1+n^2) + sqrt(1+m^2)
    double vKsq;    // (Q / A(hKnown))^2
    double invKst2; // 1 / kst^2, for the quick friction loss only
};

StepTerms stepTerms(double hKnown, double beta, double bso, double m, double n, double Q, double l,
                    double kst, double Iso) {
    const double AK = wettedArea({bso, m, n}, hKnown);
    const double vK = Q / AK;
    return {hKnown, beta, bso, Q, l, kst, Iso, m + n, bankLengthFactor(m, n), vK * vK, 1.0 / (kst * kst)};
}

// The terms of the residual at a trial depth h, up to the friction loss.
struct TrialTerms {
    double E;   // energy head of the known section less the trial velocity head, from its bed
    double T;   // l vm^2
    double Rm;  // mean hydraulic radius
};

[[gnu::always_inline]] inline TrialTerms trialTerms(const StepTerms& t, double h) {
    const double AT = t.mPlusN * 0.5 * h * h + t.bso * h;
    const double vT = t.Q / AT;
    const double vTsq = vT * vT;
    const double E = (t.vKsq - vTsq) * t.beta * VELOCITY_HEAD_FACTOR + t.hKnown;
    const double S = (t.hKnown + h) * t.bso + t.mPlusN * 0.5 * (t.hKnown * t.hKnown + h * h);  // AK + AT
    const double vm = 2.0 * t.Q / S;  // mean velocity Q / (S/2)
    const double T = vm * vm * t.l;
    const double P = t.bank * (t.hKnown + h) + 2.0 * t.bso;  // UK + UT
    return {E, T, S / P};  // Rm: mean area over mean perimeter
}

// The residual, given Rm raised to FRICTION_EXPONENT.
double residualWith(const StepTerms& t, const TrialTerms& trial, double h, double RmPower) {
    const double hf = trial.T / (RmPower * (t.kst * t.kst));  // friction loss over l
    return ((hf + trial.E) - t.l * t.Iso) - h;
}

double residual(const StepTerms& t, double h) {
    const TrialTerms trial = trialTerms(t, h);
    return residualWith(t, trial, h, portablePow(trial.Rm, FRICTION_EXPONENT));
}

// A value of the residual that a bisection may use in its place: of the same
// sign, and zero only where the residual is. A bisection looks at nothing
// but the sign and at a zero, so it takes the same steps to the same bits.
//
// The friction loss is first formed with a rough power, then, where that
// leaves doubt, with a quick one, each good to a known relative error; the
// other terms are summed while the power is being formed. From the power's
// error follows a bound on how far the value can lie from the exact residual
// (the loss, and the roundings of the sums of terms no larger than U, in
// either order). Beyond the bound the sign is certain; within the quick
// power's bound, next to a root, the exact residual is formed.
[[gnu::always_inline]] inline double residualForSign(const StepTerms& t, double h) {
    const TrialTerms trial = trialTerms(t, h);
    const double rest = (trial.E - t.l * t.Iso) - h;
    const double lossFactor = trial.T * t.invKst2;
    // The exact loss T / (Rm^e kst^2) lies within the power's error and a
    // few roundings of hf; each sum, here and in the exact residual, rounds
    // by at most half a unit of a term no larger than U.
    const double roundings = (std::fabs(trial.E) + std::fabs(t.l * t.Iso) + std::fabs(h)) * 0x1p-48;
    auto decided = [&](double hf, double powerError, double& value) {
        value = hf + rest;
        const double bound = std::fabs(hf) * (2.0 * powerError + 0x1p-47) + roundings;
        return std::fabs(value) > bound;  // false for a NaN
    };
    double value = 0.0;
    if (decided(lossFactor * roughPow(trial.Rm, -FRICTION_EXPONENT), ROUGH_POW_ERROR, value)) return value;
    if (decided(lossFactor * approximatePow(trial.Rm, -FRICTION_EXPONENT), APPROXIMATE_POW_ERROR, value)) {
        return value;
    }
    return residualWith(t, trial, h, portablePow(trial.Rm, FRICTION_EXPONENT));
}

}  // namespace

double stepResidual(double h, double hKnown, double beta, double bso, double m, double n, double Q,
                    double l, double kst, double Iso) {
    return residual(stepTerms(hKnown, beta, bso, m, n, Q, l, kst, Iso), h);
}

double stepResidualForSign(double h, double hKnown, double beta, double bso, double m, double n, double Q,
                           double l, double kst, double Iso) {
    return residualForSign(stepTerms(hKnown, beta, bso, m, n, Q, l, kst, Iso), h);
}

double nextProfileDepth(double hKnown, double beta, double bso, double m, double n, double Q, double l,
                        double kst, double Iso) {
    const FlowBranch none{false, 0.0, false};
    return nextProfileDepthOnBranch(hKnown, none, beta, bso, m, n, Q, l, kst, Iso).h;
}

FlowBranch flowBranch(double hn, double beta, double bso, double m, double n, double Q, double kst, double Iso) {
    if (!(beta > 0.0)) return {false, 0.0, false};
    const double Qb = std::sqrt(beta) * Q;  // beta Q^2 B = g A^3 is the critical flow of sqrt(beta) Q
    const double hb = criticalDepth(bso, m, n, Qb);
    const bool hbFound = criticalDepthInBracket(bso, m, n, Qb);
    const bool mild = hbFound && normalDepthInBracket(Q, kst, bso, m, n, Iso) && hn > hb;
    return {mild, hb, hbFound};
}

StepDepth nextProfileDepthOnBranch(double hKnown, FlowBranch branch, double beta, double bso, double m, double n,
                                   double Q, double l, double kst, double Iso) {
    const StepTerms t = stepTerms(hKnown, beta, bso, m, n, Q, l, kst, Iso);
    auto f = [&t](double h) { return residualForSign(t, h); };
    const double lo = 0.6 * hKnown;
    const double hi = 3.0 * hKnown;
    const double flo = f(lo);
    if (branch.mild && hKnown >= branch.hb && flo <= 0.0 && f(hi) < 0.0) {
        const double fhb = f(branch.hb);
        if (fhb <= 0.0) return {branch.hb, true};
        return {solveDepthBisectionFrom(f, branch.hb, hi, fhb), false};
    }
    return {solveDepthBisectionFrom(f, lo, hi, flo), false};
}
