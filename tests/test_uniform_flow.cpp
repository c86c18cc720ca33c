#include <gtest/gtest.h>

#include <cmath>

#include "core/depth_solvers.h"
#include "tests/reference_roots.h"
#include "calculator/uniform_flow.h"

namespace {

TEST(UniformFlow, WorkedExamples) {
    const struct {
        const char* name;
        UniformFlowInput in;
        double v, Q, hE, hgr, hEm, Fr;
    } cases[] = {
        {"mild", {2, 1.5, 1.5, 1e-3, 30, 1}, 0.69, 2.43, 1.02, 0.47, 0.66, 0.32},
        {"steep", {2, 1.5, 1.5, 0.07, 30, 1}, 8.10, 28.4, 4.35, 1.80, 2.37, 1.93},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UniformFlowResult r = computeUniformFlow(c.in);
        EXPECT_NEAR(r.v, c.v, 0.005);
        EXPECT_NEAR(r.Q, c.Q, 0.05);
        EXPECT_NEAR(r.hE, c.hE, 0.005);
        EXPECT_NEAR(r.hgr, c.hgr, 0.005);
        EXPECT_NEAR(r.hEm, c.hEm, 0.005);
        EXPECT_NEAR(r.Fr, c.Fr, 0.005);
        EXPECT_DOUBLE_EQ(r.A, 3.5);
        EXPECT_NEAR(r.U, 2 + 2 * std::sqrt(3.25), 1e-14);
        EXPECT_NEAR(r.R, 3.5 / (2 + 2 * std::sqrt(3.25)), 1e-15);
        EXPECT_NEAR(r.k, 3 * 3.5 / (4 * 2.5 * 2.5 * 2.5), 1e-15);
        EXPECT_NEAR(r.hp, 1.05, 1e-14);
        // hgr is the critical depth of the computed discharge
        EXPECT_LT(std::fabs(r.hgr - static_cast<double>(reference::criticalDepth(2, 1.5, 1.5, r.Q))), 1e-7);
    }
}

TEST(UniformFlow, VelocityFormulaFollowsTheBedSlope) {
    const double R = 3.5 / (2 + 2 * std::sqrt(3.25));
    const double below = std::nextafter(0.05, 0.0), above = std::nextafter(0.05, 1.0);
    const struct {
        double Iso;
        double v;
    } cases[] = {
        {1e-3, 30 * std::pow(R, 0.6666666666) * std::sqrt(1e-3)},
        {below, 30 * std::pow(R, 0.6666666666) * std::sqrt(below)},
        {0.05, 30 * std::pow(R, 0.52) * std::pow(std::asin(std::atan(0.05)), 0.4)},
        {above, 30 * std::pow(R, 0.52) * std::pow(std::asin(std::atan(above)), 0.4)},
        {0.1, 30 * std::pow(R, 0.52) * std::pow(std::asin(std::atan(0.1)), 0.4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Iso);
        const UniformFlowResult r = computeUniformFlow({2, 1.5, 1.5, c.Iso, 30, 1});
        EXPECT_NEAR(r.v, c.v, 1e-13);
        EXPECT_NEAR(r.Q, c.v * 3.5, 1e-12);
    }
}

TEST(UniformFlow, RectangleParabola) {
    // m = n = 0: B = bso, U = bso + 2h, hp = 3A/(2 bso) = 1.5 h.
    for (double h : {0.2, 1.0, 7.5}) {
        SCOPED_TRACE(h);
        const UniformFlowResult r = computeUniformFlow({4, 0, 0, 1e-3, 35, h});
        EXPECT_NEAR(r.U, 4 + 2 * h, 1e-13);
        EXPECT_NEAR(r.hp, 1.5 * h, 1e-13);
    }
}

TEST(UniformFlow, SmallDischargeShowsTheUpperEndOfTheBracket) {
    const UniformFlowResult r = computeUniformFlow({1, 0, 0, 1e-3, 30, 0.01});
    EXPECT_NEAR(r.Q, 4.3e-4, 0.05e-4);
    EXPECT_NEAR(r.hgr, 70.0, 1e-7);
    EXPECT_FALSE(criticalDepthInBracket(1, 0, 0, r.Q));
    EXPECT_NEAR(r.hEm, 70.0, 1e-6);
    EXPECT_NEAR(r.Fr, r.v / std::sqrt(9.81 * r.hgr), 1e-15);
}

TEST(UniformFlow, ExchangingTheBanksChangesNothing) {
    const UniformFlowResult a = computeUniformFlow({1.5, 0.5, 2.5, 4e-3, 40, 1.3});
    const UniformFlowResult b = computeUniformFlow({1.5, 2.5, 0.5, 4e-3, 40, 1.3});
    EXPECT_EQ(a.Q, b.Q);
    EXPECT_EQ(a.hgr, b.hgr);
    EXPECT_EQ(a.hp, b.hp);
}

}  // namespace

namespace {

TEST(UniformFlow, DepthForDischargeCarriesTheDischarge) {
    // The depth lies less than the bisection's tolerance below the depth
    // whose discharge is Q: the discharge grows with the depth.
    const struct {
        const char* name;
        UniformFlowInput channel;
        double Q;
    } cases[] = {
        {"mild trapezoid", {{2.0, 1.5, 1.5}, 1e-3, 30.0, 0.0}, 2.4256},
        {"steep slope", {{2.0, 1.5, 1.5}, 0.07, 30.0, 0.0}, 28.4},
        {"rectangle, small discharge", {{1.0, 0.0, 0.0}, 1e-3, 30.0, 0.0}, 4.3e-4},
        {"wide, large discharge", {{5000.0, 0.0, 0.0}, 0.01, 40.0, 0.0}, 2e6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double h = depthForDischarge(c.channel, c.Q);
        EXPECT_LE(uniformDischarge(c.channel, h), c.Q);
        EXPECT_GE(uniformDischarge(c.channel, h + 1e-7), c.Q);
        // the discharge of computeUniformFlow at that depth, to the bit
        UniformFlowInput in = c.channel;
        in.h = h;
        EXPECT_EQ(computeUniformFlow(in).Q, uniformDischarge(c.channel, h));
    }
}

}  // namespace
