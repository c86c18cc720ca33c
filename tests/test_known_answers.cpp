// The relations of the core written out once more, operation by operation in
// plain double arithmetic, with the constants as decimal literals: each
// residual, each solver result and each water level of the core must agree
// with them to the last bit. A regrouped sum, a quotient taken another way or
// an exponent replaced by the fraction it approaches changes no printed digit
// of the worked examples, but it changes bits here.
//
// Powers go through portablePow on both sides: its own accuracy is tested on
// its own, this test is about the formulas around it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "backwater/backwater.h"
#include "core/depth_solvers.h"
#include "core/portable_pow.h"
#include "core/standard_step.h"

namespace {

double knownCriticalResidual(double h, double bso, double m, double n, double Q) {
    const double B = (m + n) * h + bso;
    const double X = B * (Q * Q * 0.10193679918450560136);
    const double P = portablePow(X, 0.33333333333);
    const double W = (m + n) * h * 0.5 + bso;
    return h - P * (1.0 / W);
}

double knownNormalResidual(double h, double Q, double kst, double bso, double m, double n, double Iso) {
    const double U = (std::sqrt(1.0 + n * n) + std::sqrt(1.0 + m * m)) * h + bso;
    const double A = (m + n) * 0.5 * h * h + bso * h;
    const double R = A / U;
    const double K = A * (portablePow(R, 0.666666666666) * kst);
    return Q - std::sqrt(Iso) * K;
}

double knownStepResidual(double h, double hKnown, double beta, double bso, double m, double n, double Q, double l,
                         double kst, double Iso) {
    const double AK = (m + n) * 0.5 * hKnown * hKnown + bso * hKnown;
    const double AT = (m + n) * 0.5 * h * h + bso * h;
    const double vK = Q / AK;
    const double vKsq = vK * vK;
    const double vT = Q / AT;
    const double vTsq = vT * vT;
    const double E = (vKsq - vTsq) * beta * 0.05096839959225280068 + hKnown;
    const double S = (hKnown + h) * bso + (m + n) * 0.5 * (hKnown * hKnown + h * h);
    const double vm = 2.0 * Q / S;
    const double T = vm * vm * l;
    const double P = (std::sqrt(1.0 + n * n) + std::sqrt(1.0 + m * m)) * (hKnown + h) + 2.0 * bso;
    const double Rm = S / P;
    const double hf = T / (portablePow(Rm, 1.33333333333333) * (kst * kst));
    return ((hf + E) - l * Iso) - h;
}

// The bisection as first written down: the sign test as a product.
template <class F>
double knownBisection(F f, double L, double H) {
    double lo = L, hi = H, flo = f(lo);
    for (;;) {
        const double mid = (lo + hi) * 0.5;
        const double fmid = f(mid);
        if (fmid == 0.0) return mid;
        if (flo * fmid < 0.0) {
            hi = mid;
        } else {
            lo = mid;
            flo = fmid;
        }
        if (!(hi - lo > 1e-7)) return lo;
    }
}

struct Channel {
    const char* name;
    double bso, m, n, Q, kst, Iso, beta;
};

const Channel CHANNELS[] = {
    {"example", 2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0},
    {"steep", 2.0, 1.5, 1.5, 10.0, 30.0, 0.05, 1.0},
    {"triangle", 0.0, 1.0, 2.0, 3.0, 35.0, 5e-4, 1.0},
    {"rectangle", 4.0, 0.0, 0.0, 8.0, 40.0, 5e-4, 1.1},
    {"beta 0", 3.0, 1.0, 0.5, 4.0, 30.0, 1e-3, 0.0},
    {"beta 1.5", 20.0, 2.0, 0.5, 150.0, 45.0, 2e-4, 1.5},
};

TEST(KnownAnswers, ResidualsToTheLastBit) {
    for (const Channel& c : CHANNELS) {
        SCOPED_TRACE(c.name);
        for (double h = 0.05; h < 12.0; h *= 1.037) {
            SCOPED_TRACE(h);
            ASSERT_EQ(criticalDepthResidual(h, c.bso, c.m, c.n, c.Q), knownCriticalResidual(h, c.bso, c.m, c.n, c.Q));
            ASSERT_EQ(normalDepthResidual(h, c.Q, c.kst, c.bso, c.m, c.n, c.Iso),
                      knownNormalResidual(h, c.Q, c.kst, c.bso, c.m, c.n, c.Iso));
            for (double l : {1.0, 100.0}) {
                SCOPED_TRACE(l);
                const double hKnown = 1.7;
                ASSERT_EQ(stepResidual(h, hKnown, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso),
                          knownStepResidual(h, hKnown, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso));
            }
        }
    }
}

TEST(KnownAnswers, SolverResultsToTheLastBit) {
    for (const Channel& c : CHANNELS) {
        SCOPED_TRACE(c.name);
        const double hgr = knownBisection([&](double h) { return knownCriticalResidual(h, c.bso, c.m, c.n, c.Q); },
                                          0.05, 70.0);
        EXPECT_EQ(criticalDepth(c.bso, c.m, c.n, c.Q), hgr);
        const double hn = knownBisection(
            [&](double h) { return knownNormalResidual(h, c.Q, c.kst, c.bso, c.m, c.n, c.Iso); }, 0.05, 70.0);
        EXPECT_EQ(normalDepth(c.Q, c.kst, c.bso, c.m, c.n, c.Iso), hn);
        for (double hKnown : {0.3, 1.0, 1.7, 3.0, 8.0}) {
            for (double l : {1.0, 100.0}) {
                SCOPED_TRACE(testing::Message() << "hKnown " << hKnown << " l " << l);
                const double next = knownBisection(
                    [&](double h) { return knownStepResidual(h, hKnown, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso); },
                    0.6 * hKnown, 3.0 * hKnown);
                EXPECT_EQ(nextProfileDepth(hKnown, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso), next);
            }
        }
    }
}

TEST(KnownAnswers, WaterLevelsOfTheProfileTable) {
    // wsp[i] = (wsp - hu) + i l Iso + hp[i], summed in this order.
    auto march = std::make_unique<FineMarch>();
    auto result = std::make_unique<BackwaterResult>();
    for (const Channel& c : CHANNELS) {
        SCOPED_TRACE(c.name);
        const BackwaterInput in{c.bso, c.m, c.n, c.Q, c.kst, c.Iso, c.beta, 37.3, 2.9, 431.17, 400};
        computeBackwater(in, *march, *result);
        for (int i = 0; i < result->profiles.count; ++i) {
            ASSERT_EQ(result->profiles.wsp[i], (in.wsp - in.hu) + i * in.l * in.Iso + result->profiles.hp[i]) << i;
        }
    }
}

}  // namespace
