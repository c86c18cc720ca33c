#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/bisection.h"
#include "core/depth_solvers.h"
#include "tests/reference_roots.h"

namespace {

// What the bisection returns on [0.05, 70] when the bracket holds no sign change.
const double NO_ROOT = 70.0 - (70.0 - 0.05) * std::ldexp(1.0, -30);

TEST(Bisection, ReturnsTheLowerEndBelowTheRootAfterThirtySteps) {
    // Roots at awkward places inside [0.05, 70], rising and falling residuals.
    for (double root : {0.05 + 1e-9, 0.731, 2.0, 33.3333, 69.9999}) {
        for (double slope : {1.0, -3.0}) {
            SCOPED_TRACE(testing::Message() << "root " << root << " slope " << slope);
            int calls = 0;
            const double h = solveDepthBisection(
                [&](double x) {
                    ++calls;
                    return slope * (x - root);
                },
                0.05, 70.0);
            EXPECT_EQ(calls, 31);
            EXPECT_LE(h, root);
            EXPECT_LT(root - h, 1e-7);
        }
    }
}

TEST(Bisection, StepCountFollowsBracketWidth) {
    // smallest k with width 2^-k <= 1e-7
    const struct {
        double L, H;
        int steps;
    } cases[] = {{0.06, 0.3, 22}, {0.6, 3.0, 25}, {6.0, 30.0, 28}, {60.0, 300.0, 32}, {0.05, 70.0, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "[" << c.L << ", " << c.H << "]");
        int calls = 0;
        solveDepthBisection(
            [&](double x) {
                ++calls;
                return x - c.L * 1.9;
            },
            c.L, c.H);
        EXPECT_EQ(calls, c.steps + 1);
    }
}

TEST(Bisection, NoSignChangeClimbsToJustBelowTheUpperEnd) {
    for (double sign : {1.0, -1.0}) {
        SCOPED_TRACE(sign);
        const double h = solveDepthBisection([=](double x) { return sign * (x + 1.0); }, 0.05, 70.0);
        EXPECT_EQ(h, NO_ROOT);
        EXPECT_LT(70.0 - h, 1e-7);
    }
}

TEST(Bisection, HugeBracketsEndWhenNoDoubleLiesBetweenTheEnds) {
    // Above about 5e8 neighbouring doubles lie more than 1e-7 apart; the
    // search must still end, next to the root or just below the upper end.
    const struct {
        double L, H, root;
    } cases[] = {{6e8, 3e9, 1.7e9}, {6e15, 3e16, 1e16}, {6e300, 3e301, 1e301}, {6e300, 3e301, -1.0},
                 {1e308, std::numeric_limits<double>::infinity(), -1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.L);
        int calls = 0;
        const double h = solveDepthBisection(
            [&](double x) {
                ++calls;
                return x - c.root;
            },
            c.L, c.H);
        EXPECT_LE(calls, 1100);
        if (c.root > 0) {
            EXPECT_LE(h, c.root);
            EXPECT_LE(c.root - h, 2 * (std::nextafter(c.root, c.H) - c.root));
        } else {
            EXPECT_LT(h, c.H);
            EXPECT_GE(h, c.L);
        }
    }
    // A bracket of NaN ends at once.
    EXPECT_TRUE(std::isnan(solveDepthBisection([](double x) { return x; }, std::nan(""), 1.0)));
}

TEST(Bisection, ExactlyZeroAtAMidpointIsReturnedAtOnce) {
    int calls = 0;
    const double h = solveDepthBisection(
        [&](double x) {
            ++calls;
            return x - 35.025;  // the first midpoint of [0.05, 70], exactly
        },
        0.05, 70.0);
    EXPECT_EQ(h, 35.025);
    EXPECT_EQ(calls, 2);
}

TEST(Bisection, ZeroAtTheLowerEndCountsAsNoSignChange) {
    // f(L) = 0: the lower end moves to the first midpoint and keeps its sign.
    const double h = solveDepthBisection([](double x) { return x - 0.05; }, 0.05, 70.0);
    EXPECT_EQ(h, NO_ROOT);
}

struct Channel {
    double bso, m, n, Q, kst, Iso;
};

const Channel CHANNELS[] = {
    {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3},  // the worked channel
    {5.0, 0.0, 0.0, 40.0, 45.0, 5e-4},  // rectangle
    {0.0, 2.0, 2.0, 3.0, 25.0, 2e-3},   // triangle
    {1.0, 0.5, 3.0, 0.7, 60.0, 0.02},   // unequal banks, steep
    {20.0, 2.0, 1.0, 800.0, 35.0, 2e-4},
    {0.3, 0.0, 0.0, 0.02, 70.0, 1e-2},
};

TEST(DepthSolvers, CriticalDepthMatchesAnIndependentRoot) {
    for (const Channel& c : CHANNELS) {
        SCOPED_TRACE(testing::Message() << "bso " << c.bso << " Q " << c.Q);
        const double hgr = criticalDepth(c.bso, c.m, c.n, c.Q);
        const double exact = static_cast<double>(reference::criticalDepth(c.bso, c.m, c.n, c.Q));
        // approached from below, within the tolerance (the exponent 0.33333333333
        // shifts the root by far less than that)
        EXPECT_LT(std::fabs(hgr - exact), 1e-7);
        EXPECT_LE(hgr, exact + 1e-9);
        EXPECT_TRUE(criticalDepthInBracket(c.bso, c.m, c.n, c.Q));
        EXPECT_EQ(hgr, criticalDepth(c.bso, c.n, c.m, c.Q));
    }
}

TEST(DepthSolvers, NormalDepthMatchesAnIndependentRoot) {
    for (const Channel& c : CHANNELS) {
        SCOPED_TRACE(testing::Message() << "bso " << c.bso << " Q " << c.Q);
        const double hn = normalDepth(c.Q, c.kst, c.bso, c.m, c.n, c.Iso);
        const double exact = static_cast<double>(reference::normalDepth(c.Q, c.kst, c.bso, c.m, c.n, c.Iso));
        EXPECT_LT(std::fabs(hn - exact), 1e-7);
        EXPECT_LE(hn, exact + 1e-9);
        EXPECT_TRUE(normalDepthInBracket(c.Q, c.kst, c.bso, c.m, c.n, c.Iso));
        EXPECT_EQ(hn, normalDepth(c.Q, c.kst, c.bso, c.n, c.m, c.Iso));
    }
}

TEST(DepthSolvers, WorkedChannel) {
    EXPECT_NEAR(criticalDepth(2, 1.5, 1.5, 10), 1.05, 0.01);
    EXPECT_NEAR(normalDepth(10, 30, 2, 1.5, 1.5, 1e-3), 2.00, 0.01);
}

TEST(DepthSolvers, DepthsOutsideTheBracketGiveItsUpperEnd) {
    // Q = 0: no critical and no normal depth.
    EXPECT_EQ(criticalDepth(2, 1.5, 1.5, 0.0), NO_ROOT);
    EXPECT_EQ(normalDepth(0.0, 30, 2, 1.5, 1.5, 1e-3), NO_ROOT);
    EXPECT_FALSE(criticalDepthInBracket(2, 1.5, 1.5, 0.0));
    EXPECT_FALSE(normalDepthInBracket(0.0, 30, 2, 1.5, 1.5, 1e-3));
    // A critical depth of a few millimetres is not found near 0.05 either.
    EXPECT_EQ(criticalDepth(2, 1.5, 1.5, 1e-3), NO_ROOT);
    EXPECT_FALSE(criticalDepthInBracket(2, 1.5, 1.5, 1e-3));
    // kst = 0 with Q > 0: the residual is Q everywhere.
    EXPECT_EQ(normalDepth(5.0, 0.0, 2, 1.5, 1.5, 1e-3), NO_ROOT);
    // A normal depth above 70 m.
    EXPECT_EQ(normalDepth(1e6, 20, 1, 0, 0, 1e-4), NO_ROOT);
    EXPECT_FALSE(normalDepthInBracket(1e6, 20, 1, 0, 0, 1e-4));
}

TEST(DepthSolvers, ResidualZeroEverywhereStopsAtTheFirstMidpoint) {
    // Q = 0 and kst = 0: the normal residual is 0 at every depth.
    EXPECT_EQ(normalDepth(0.0, 0.0, 2, 1.5, 1.5, 1e-3), (0.05 + 70.0) * 0.5);
}

TEST(DepthSolvers, ResidualSigns) {
    const double hgr = static_cast<double>(reference::criticalDepth(2, 1.5, 1.5, 10));
    EXPECT_LT(criticalDepthResidual(hgr * 0.9, 2, 1.5, 1.5, 10), 0.0);
    EXPECT_GT(criticalDepthResidual(hgr * 1.1, 2, 1.5, 1.5, 10), 0.0);
    EXPECT_EQ(criticalDepthResidual(0.7, 2, 1.5, 1.5, 0.0), 0.7);
    const double hn = static_cast<double>(reference::normalDepth(10, 30, 2, 1.5, 1.5, 1e-3));
    EXPECT_GT(normalDepthResidual(hn * 0.9, 10, 30, 2, 1.5, 1.5, 1e-3), 0.0);
    EXPECT_LT(normalDepthResidual(hn * 1.1, 10, 30, 2, 1.5, 1.5, 1e-3), 0.0);
    EXPECT_EQ(normalDepthResidual(3.0, 10, 0.0, 2, 1.5, 1.5, 1e-3), 10.0);
}

}  // namespace
