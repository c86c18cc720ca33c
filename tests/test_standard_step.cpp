#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/bisection.h"
#include "core/depth_solvers.h"
#include "core/standard_step.h"
#include "tests/reference_roots.h"
#include "tests/xorshift.h"

namespace {

TEST(StandardStep, WorkedMarchFallsTowardsNormalDepth) {
    // bso 2, m = n = 1.5, Q 10, kst 30, Iso 1e-3, beta 1, l 100, from 3 m.
    double h = 3.0;
    const double expected[] = {2.92, 2.84, 2.76};
    for (double approx : expected) {
        SCOPED_TRACE(approx);
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

TEST(StandardStep, BranchStepIsThePlainBisectionWhereverTheBracketHasASignChange) {
    // Many steps from many known depths on mild channels: where the residual
    // changes sign over [0.6 hKnown, 3 hKnown] (or is positive at the lower
    // end), the step on the branch returns the very bits of nextProfileDepth.
    // Elsewhere it returns a depth on the subcritical branch: hb itself, or
    // the independent root of the balance over [hb, 3 hKnown].
    const struct {
        double beta, bso, m, n, Q, kst, Iso;
    } channels[] = {
        {1.0, 2.0, 1.5, 1.5, 10.0, 30.0, 1e-3},  {1.5, 4.0, 0.0, 0.0, 8.0, 40.0, 5e-4},
        {1.0, 0.0, 1.0, 2.0, 3.0, 35.0, 5e-4},   {1.1, 20.0, 2.0, 0.5, 150.0, 45.0, 2e-4},
        {1.0, 2.0, 1.5, 1.5, 10.0, 30.0, 4e-3},  {0.3, 1.0, 0.5, 0.5, 2.0, 60.0, 1e-3},
    };
    int plain = 0, mended = 0, assumed = 0;
    for (const auto& c : channels) {
        SCOPED_TRACE(testing::Message() << "channel bso " << c.bso << " Q " << c.Q << " Iso " << c.Iso);
        const double hn = normalDepth(c.Q, c.kst, c.bso, c.m, c.n, c.Iso);
        const FlowBranch branch = flowBranch(hn, c.beta, c.bso, c.m, c.n, c.Q, c.kst, c.Iso);
        ASSERT_TRUE(branch.mild);
        EXPECT_EQ(branch.hb, criticalDepth(c.bso, c.m, c.n, std::sqrt(c.beta) * c.Q));
        for (double l : {1.0, 100.0, 1000.0}) {
            for (double ratio = 0.3; ratio < 3.0; ratio += 0.01) {
                const double hK = ratio * branch.hb;
                SCOPED_TRACE(testing::Message() << "Q " << c.Q << " l " << l << " hKnown " << hK);
                auto f = [&](double h) { return stepResidual(h, hK, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso); };
                const StepDepth step =
                    nextProfileDepthOnBranch(hK, branch, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso);
                const double flo = f(0.6 * hK);
                if (hK < branch.hb || flo > 0.0 || f(3.0 * hK) >= 0.0) {
                    ++plain;
                    EXPECT_EQ(step.h, nextProfileDepth(hK, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso));
                    EXPECT_FALSE(step.criticalAssumed);
                } else if (step.criticalAssumed) {
                    ++assumed;
                    EXPECT_EQ(step.h, branch.hb);
                    EXPECT_LE(f(branch.hb), 0.0);
                } else {
                    ++mended;
                    const double exact = static_cast<double>(reference::stepDepth(
                        hK, c.beta, c.bso, c.m, c.n, c.Q, l, c.kst, c.Iso, branch.hb, 3.0 * hK));
                    EXPECT_LT(std::fabs(step.h - exact), 1e-7);
                    EXPECT_LE(step.h, exact + 1e-9);
                }
            }
        }
    }
    // Every path was taken.
    EXPECT_GT(plain, 0);
    EXPECT_GT(mended, 0);
    EXPECT_GT(assumed, 0);
}

TEST(StandardStep, NoBranchOnSteepChannelsOrWithoutVelocityHeads) {
    // Steep: normal depth below critical depth. beta 0: no critical depth.
    // A discharge whose critical depth lies below the depth bracket.
    const double hnSteep = normalDepth(10.0, 30.0, 2.0, 1.5, 1.5, 0.05);
    EXPECT_FALSE(flowBranch(hnSteep, 1.0, 2.0, 1.5, 1.5, 10.0, 30.0, 0.05).mild);
    const double hn = normalDepth(10.0, 30.0, 2.0, 1.5, 1.5, 1e-3);
    EXPECT_FALSE(flowBranch(hn, 0.0, 2.0, 1.5, 1.5, 10.0, 30.0, 1e-3).mild);
    const double hnTiny = normalDepth(0.05, 1.0, 10.0, 0.0, 0.0, 1e-5);
    const FlowBranch tiny = flowBranch(hnTiny, 1.0, 10.0, 0.0, 0.0, 0.05, 1.0, 1e-5);
    EXPECT_FALSE(tiny.hbFound);
    EXPECT_FALSE(tiny.mild);
    // Off the branch every step is nextProfileDepth's.
    const FlowBranch none{false, 1.048, false};
    for (double hK : {0.5, 1.05, 1.3, 3.0}) {
        SCOPED_TRACE(hK);
        EXPECT_EQ(nextProfileDepthOnBranch(hK, none, 1.0, 2.0, 1.5, 1.5, 10.0, 1.0, 30.0, 1e-3).h,
                  nextProfileDepth(hK, 1.0, 2.0, 1.5, 1.5, 10.0, 1.0, 30.0, 1e-3));
    }
}

// The step decides each sign with a quick power where the margin allows; its
// results must be those of the rule carried out with the exact residual, to
// the last bit, on every channel.
TEST(StandardStep, QuickSignsGiveTheBitsOfTheExactResidual) {
    Xorshift random{0x9E3779B97F4A7C15u};
    auto unit = [&random] { return random.unit(); };
    auto between = [&](double lo, double hi) { return lo * std::pow(hi / lo, unit()); };
    int steps = 0, mended = 0;
    for (int channel = 0; channel < 3000; ++channel) {
        const double bso = unit() < 0.1 ? 0.0 : between(0.5, 50.0);
        const double m = unit() < 0.2 ? 0.0 : 3.0 * unit(), n = unit() < 0.2 ? 0.0 : 3.0 * unit();
        if (bso == 0.0 && m + n == 0.0) continue;
        const double Q = between(0.1, 500.0), kst = between(20.0, 90.0);
        const double Iso = unit() < 0.8 ? between(1e-4, 5e-3) : between(5e-3, 0.1);
        const double beta = unit() < 0.1 ? 0.0 : 1.5 * unit();
        const double hn = normalDepth(Q, kst, bso, m, n, Iso);
        const FlowBranch branch = flowBranch(hn, beta, bso, m, n, Q, kst, Iso);
        const double hb = branch.hb > 0.0 ? branch.hb : hn;
        for (int k = 0; k < 25; ++k) {
            const double hK = between(0.3 * hb, 4.0 * hn);
            const double l = std::pow(10.0, static_cast<int>(4 * unit()));  // 1, 10, 100 or 1000 m
            SCOPED_TRACE(testing::Message() << "bso " << bso << " m " << m << " n " << n << " Q " << Q << " kst "
                                            << kst << " Iso " << Iso << " beta " << beta << " hK " << hK
                                            << " l " << l);
            auto f = [&](double h) { return stepResidual(h, hK, beta, bso, m, n, Q, l, kst, Iso); };
            StepDepth expected{};
            const double lo = 0.6 * hK, hi = 3.0 * hK, flo = f(lo);
            if (branch.mild && hK >= branch.hb && flo <= 0.0 && f(hi) < 0.0) {
                ++mended;
                const double fhb = f(branch.hb);
                expected = fhb <= 0.0 ? StepDepth{branch.hb, true}
                                      : StepDepth{solveDepthBisectionFrom(f, branch.hb, hi, fhb), false};
            } else {
                expected = {solveDepthBisectionFrom(f, lo, hi, flo), false};
            }
            const StepDepth got = nextProfileDepthOnBranch(hK, branch, beta, bso, m, n, Q, l, kst, Iso);
            ASSERT_EQ(got.h, expected.h);
            ASSERT_EQ(got.criticalAssumed, expected.criticalAssumed);
            ++steps;
        }
    }
    EXPECT_GT(steps, 60000);
    EXPECT_GT(mended, 1000);
}

// Next to a root the quick value cannot vouch for the sign: there the step
// must use the exact residual, bit for bit. Away from it, the sign agrees.
TEST(StandardStep, TheExactResidualDecidesNextToARoot) {
    const struct {
        double hKnown, beta, bso, m, n, Q, l, kst, Iso;
    } cases[] = {
        {3.0, 1.0, 2.0, 1.5, 1.5, 10.0, 1.0, 30.0, 1e-3},   {3.0, 1.0, 2.0, 1.5, 1.5, 10.0, 100.0, 30.0, 1e-3},
        {1.2, 1.1, 5.0, 0.0, 0.0, 12.0, 50.0, 40.0, 5e-4},  {0.4, 1.0, 0.0, 1.0, 2.0, 0.3, 10.0, 25.0, 2e-3},
        {2.5, 1.5, 10.0, 2.0, 0.5, 60.0, 1000.0, 35.0, 1e-4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hKnown " << c.hKnown << " l " << c.l);
        auto exact = [&](double h) { return stepResidual(h, c.hKnown, c.beta, c.bso, c.m, c.n, c.Q, c.l, c.kst, c.Iso); };
        auto forSign = [&](double h) {
            return stepResidualForSign(h, c.hKnown, c.beta, c.bso, c.m, c.n, c.Q, c.l, c.kst, c.Iso);
        };
        // The two neighbouring doubles between which the residual changes sign.
        double lo = solveDepthBisection(exact, 0.6 * c.hKnown, 3.0 * c.hKnown);
        double hi = lo + 2e-7;
        ASSERT_NE(exact(lo) > 0.0, exact(hi) > 0.0);
        for (;;) {
            const double mid = lo + (hi - lo) / 2;
            if (mid == lo || mid == hi) break;
            if ((exact(mid) > 0.0) == (exact(lo) > 0.0)) {
                lo = mid;
            } else {
                hi = mid;
            }
        }
        for (double h : {lo, hi, std::nextafter(lo, 0.0), std::nextafter(hi, 10.0)}) {
            EXPECT_EQ(forSign(h), exact(h)) << h;
        }
        for (double h = 0.6 * c.hKnown; h < 3.0 * c.hKnown; h += 0.0137 * c.hKnown) {
            EXPECT_EQ(forSign(h) > 0.0, exact(h) > 0.0) << h;
            EXPECT_EQ(forSign(h) < 0.0, exact(h) < 0.0) << h;
        }
    }
}

}  // namespace
