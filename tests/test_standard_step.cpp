#include <gtest/gtest.h>

#include <cmath>

#include "bisection.h"
#include "reference_roots.h"
#include "standard_step.h"

namespace {

TEST(StandardStep, WorkedMarchFallsTowardsNormalDepth) {
    // bso 2, m = n = 1.5, Q 10, kst 30, Iso 1e-3, beta 1, l 100, from 3 m.
    double h = 3.0;
    const double expected[] = {2.92, 2.84, 2.76};
    for (double approx : expected) {
        const double exact = static_cast<double>(
            reference::stepDepth(h, 1.0, 2.0, 1.5, 1.5, 10.0, 100.0, 30.0, 1e-3, 0.6 * h, 3.0 * h));
        const double next = nextProfileDepth(h, 1.0, 2.0, 1.5, 1.5, 10.0, 100.0, 30.0, 1e-3);
        EXPECT_NEAR(next, approx, 0.005);
        EXPECT_LE(next, exact + 1e-9);
        EXPECT_LT(exact - next, 1e-7);
        h = next;
    }
}

TEST(StandardStep, AgreesWithAnIndependentRootOverManyChannels) {
    const struct {
        double hKnown, beta, bso, m, n, Q, l, kst, Iso;
    } cases[] = {
        {1.2, 1.1, 5.0, 0.0, 0.0, 12.0, 50.0, 40.0, 5e-4},    // rectangle, backwater
        {0.4, 1.0, 0.0, 1.0, 2.0, 0.3, 10.0, 25.0, 2e-3},     // triangle
        {2.5, 1.3, 10.0, 2.0, 0.5, 60.0, 200.0, 35.0, 1e-4},  // unequal banks
        {0.9, 0.0, 3.0, 1.0, 1.0, 4.0, 1.0, 30.0, 1e-3},      // beta 0, 1 m step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hKnown " << c.hKnown << " Q " << c.Q);
        const double next = nextProfileDepth(c.hKnown, c.beta, c.bso, c.m, c.n, c.Q, c.l, c.kst, c.Iso);
        // The deep root: the residual is positive at 0.6 hKnown for these
        // subcritical cases, so the search follows the upper sign change.
        const double exact = static_cast<double>(reference::stepDepth(c.hKnown, c.beta, c.bso, c.m, c.n, c.Q, c.l,
                                                                      c.kst, c.Iso, 0.6 * c.hKnown, 3 * c.hKnown));
        EXPECT_LT(std::fabs(next - exact), 1e-7);
        EXPECT_LE(next, exact + 1e-9);
        // exchanging the banks changes nothing
        EXPECT_EQ(next, nextProfileDepth(c.hKnown, c.beta, c.bso, c.n, c.m, c.Q, c.l, c.kst, c.Iso));
    }
}

TEST(StandardStep, NoDischargeLowersTheDepthByTheBedRise) {
    // Q = 0: residual hKnown - l Iso - h.
    const double h = nextProfileDepth(1.0, 1.0, 2.0, 1.5, 1.5, 0.0, 100.0, 30.0, 1e-3);
    EXPECT_LE(h, 0.9);
    EXPECT_LT(0.9 - h, 1e-7);
    EXPECT_DOUBLE_EQ(stepResidual(0.8, 1.0, 1.0, 2.0, 1.5, 1.5, 0.0, 100.0, 30.0, 1e-3), 1.0 - 0.1 - 0.8);
    // l Iso > 0.4 hKnown: negative over the whole bracket, just below 3 hKnown.
    const double high = nextProfileDepth(1.0, 1.0, 2.0, 1.5, 1.5, 0.0, 500.0, 30.0, 1e-3);
    EXPECT_EQ(high, 3.0 - 2.4 * std::ldexp(1.0, -25));
}

TEST(StandardStep, BetaZeroDropsTheVelocityHeads) {
    // residual = hKnown + hf - l Iso - h, hf from the mean section
    const double hK = 1.5, h = 1.3, bso = 2, m = 1.5, n = 1.5, Q = 6, l = 80, kst = 30, Iso = 1e-3;
    const double AK = (m + n) / 2 * hK * hK + bso * hK, AT = (m + n) / 2 * h * h + bso * h;
    const double UK = bso + 2 * std::sqrt(1 + m * m) * hK, UT = bso + 2 * std::sqrt(1 + m * m) * h;
    const double vm = Q / ((AK + AT) / 2), Rm = (AK + AT) / (UK + UT);
    const double hf = l * vm * vm / (kst * kst * std::pow(Rm, 4.0 / 3));
    EXPECT_NEAR(stepResidual(h, hK, 0.0, bso, m, n, Q, l, kst, Iso), hK + hf - l * Iso - h, 1e-12);
}

TEST(StandardStep, IsTheBisectionOfTheResidualOverItsBracket) {
    // nextProfileDepth forms the terms of the known section once per call;
    // it must return the very bits of a plain bisection of stepResidual, and
    // the bisection makes the smallest k steps with 2.4 hKnown 2^-k <= 1e-7.
    const struct {
        double hKnown, Q;
        int steps;
    } cases[] = {{0.1, 0.05, 22}, {1.0, 2.0, 25}, {10.0, 300.0, 28}, {100.0, 20000.0, 32}, {3.0, 10.0, 27}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hKnown);
        int calls = 0;
        const double plain = solveDepthBisection(
            [&](double h) {
                ++calls;
                return stepResidual(h, c.hKnown, 1.1, 2.0, 1.5, 0.5, c.Q, 100.0, 30.0, 1e-3);
            },
            0.6 * c.hKnown, 3.0 * c.hKnown);
        EXPECT_EQ(calls, c.steps + 1);
        EXPECT_EQ(nextProfileDepth(c.hKnown, 1.1, 2.0, 1.5, 0.5, c.Q, 100.0, 30.0, 1e-3), plain);
    }
}

}  // namespace
