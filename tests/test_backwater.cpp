#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "backwater/backwater.h"
#include "tests/reference_roots.h"

// Counts every allocation of the test program, to show that a computation
// allocates nothing.
namespace {
std::atomic<long> allocations{0};
}
// Kept out of line, so that the compiler does not pair the malloc and free
// inside them with the new and delete of their callers.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The example channel, with the control profile 1 m above normal depth.
BackwaterInput example() {
    return {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 100.0, 3.0, 103.0, 20};
}

// Fixture with the program-lifetime storage; large, so kept off the stack.
class Backwater : public testing::Test {
protected:
    std::unique_ptr<FineMarch> march = std::make_unique<FineMarch>();
    std::unique_ptr<BackwaterResult> result = std::make_unique<BackwaterResult>();
    const BackwaterResult& compute(const BackwaterInput& in) {
        computeBackwater(in, *march, *result);
        return *result;
    }
};

// Distance upstream at which the depth of the gradually varied flow from hu
// reaches hEnd, from the equation written for x as a function of h:
//   dx/dh = (1 - beta Q^2 B / (g A^3)) / (Sf - Iso),  Sf = Q^2 / (kst^2 A^2 R^(4/3)),
// integrated by Simpson's rule in long double. In this form the integrand
// stays finite at the critical depth, where dh/dx does not, so drawdowns that
// start next to the critical depth are integrated as accurately as the rest.
long double gvfDistance(const BackwaterInput& in, long double hEnd) {
    auto dxdh = [&](long double h) {
        const long double A = reference::area(in.section.bso, in.section.m, in.section.n, h);
        const long double U = reference::perimeter(in.section.bso, in.section.m, in.section.n, h);
        const long double B = (in.section.m + in.section.n) * h + in.section.bso;
        const long double Sf = in.Q * in.Q / (in.kst * in.kst * A * A * std::pow(A / U, 4.0L / 3));
        return (1 - in.beta * in.Q * in.Q * B / (9.81L * A * A * A)) / (Sf - in.Iso);
    };
    const int intervals = 20000;  // even
    const long double step = (hEnd - in.hu) / intervals;
    long double sum = dxdh(in.hu) + dxdh(hEnd);
    for (int i = 1; i < intervals; ++i) sum += (i % 2 ? 4 : 2) * dxdh(in.hu + i * step);
    return sum * step / 3;
}

// The length the program should find: where the continuous profile enters
// the 1 % band around the normal depth.
long double gvfLength(const BackwaterInput& in, long double hn) {
    return gvfDistance(in, in.hu > hn ? 1.01L * hn : 0.99L * hn);
}

TEST_F(Backwater, NormalAndCriticalStateOfTheExampleChannel) {
    const BackwaterInput in = example();
    const BackwaterResult& r = compute(in);
    const double hn = static_cast<double>(reference::normalDepth(10, 30, 2, 1.5, 1.5, 1e-3));
    const double hgr = static_cast<double>(reference::criticalDepth(2, 1.5, 1.5, 10));
    EXPECT_LT(std::fabs(r.hn - hn), 1e-7);
    EXPECT_LT(std::fabs(r.hgr - hgr), 1e-7);
    EXPECT_NEAR(r.An, 1.5 * hn * hn + 2 * hn, 1e-6);
    EXPECT_NEAR(r.Un, 2 + 2 * std::sqrt(3.25) * hn, 1e-6);
    EXPECT_NEAR(r.Rn, r.An / r.Un, 1e-15);
    EXPECT_NEAR(r.vn, 10 / r.An, 1e-15);
    EXPECT_NEAR(r.hEn, hn + r.vn * r.vn / (2 * 9.81), 1e-6);
    const double Agr = 1.5 * hgr * hgr + 2 * hgr;
    EXPECT_NEAR(r.hemin, hgr + 100 / (Agr * Agr) / (2 * 9.81), 1e-6);
    EXPECT_NEAR(r.Fr, r.vn / std::sqrt(9.81 * r.hgr), 1e-15);
}

TEST_F(Backwater, ProfileTableMarchesUpstreamAtSpacingL) {
    const BackwaterInput in = example();
    const BackwaterResult& r = compute(in);
    ASSERT_EQ(r.profiles.count, 20);
    EXPECT_EQ(r.profiles.hp[0], 3.0);
    EXPECT_NEAR(r.profiles.wsp[0], 103.0, 1e-13);
    for (int i = 1; i < r.profiles.count; ++i) {
        const double prev = r.profiles.hp[i - 1];
        const double exact = static_cast<double>(
            reference::stepDepth(prev, 1.0, 2, 1.5, 1.5, 10, 100, 30, 1e-3, 0.6 * prev, 3 * prev));
        EXPECT_LT(std::fabs(r.profiles.hp[i] - exact), 1e-7) << i;
        // water level: bed at the control profile, raised by i l Iso, plus depth
        EXPECT_NEAR(r.profiles.wsp[i], 100.0 + i * 0.1 + r.profiles.hp[i], 1e-12) << i;
    }
}

TEST_F(Backwater, LengthAgreesWithTheGraduallyVariedFlowEquation) {
    // bso, m, n, Q, kst, Iso, beta, l, hu, wsp, Pa
    const struct {
        const char* name;
        BackwaterInput in;
    } cases[] = {
        {"example backwater", example()},
        {"drawdown well above critical", {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 100.0, 1.5, 101.5, 5}},
        {"drawdown at hu/hgr 1.24", {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 100.0, 1.3, 101.3, 5}},
        {"drawdown from just above critical", {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 100.0, 1.05, 101.05, 5}},
        {"drawdown, long spacing", {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 1000.0, 1.1, 101.1, 20}},
        {"near-critical backwater", {2.0, 1.5, 1.5, 10.0, 30.0, 6e-3, 1.0, 100.0, 1.6, 101.6, 5}},
        {"near-critical drawdown", {2.0, 1.5, 1.5, 10.0, 30.0, 6e-3, 1.0, 100.0, 1.1, 101.1, 5}},
        {"rectangle backwater", {4.0, 0.0, 0.0, 8.0, 40.0, 5e-4, 1.1, 50.0, 2.5, 50.0, 5}},
        {"rectangle drawdown, beta 1.5", {4.0, 0.0, 0.0, 8.0, 40.0, 5e-4, 1.5, 50.0, 0.9, 50.0, 5}},
        {"rectangle backwater, beta 1.5", {4.0, 0.0, 0.0, 8.0, 40.0, 5e-4, 1.5, 50.0, 1.6, 50.0, 5}},
        {"triangle drawdown", {0.0, 1.0, 2.0, 3.0, 35.0, 5e-4, 1.0, 10.0, 1.1, 20.0, 5}},
        {"wide channel drawdown", {40.0, 2.0, 2.0, 300.0, 35.0, 3e-4, 1.0, 200.0, 2.5, 50.0, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BackwaterResult& r = compute(c.in);
        ASSERT_TRUE(r.branch.mild);
        ASSERT_GE(c.in.hu, r.branch.hb);
        const long double expected = gvfLength(c.in, r.hn);
        EXPECT_EQ(r.kind, c.in.hu > r.hn ? LengthKind::Backwater : LengthKind::Drawdown);
        EXPECT_NEAR(static_cast<double>(r.length), static_cast<double>(expected),
                    std::max(5.0, 0.01 * static_cast<double>(expected)));
        EXPECT_GT(r.length, 50);
        EXPECT_FALSE(r.criticalAssumed);
    }
}

TEST_F(Backwater, MarchesStayOnTheSubcriticalBranch) {
    // A drawdown from just above critical depth, at a spacing of 1000 m:
    // every profile is the root of the energy balance on the subcritical
    // branch (above hb), found independently; the 1 m march rises towards
    // the normal depth, apart from the bisection's last 1e-7 m.
    const BackwaterInput in{2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 1000.0, 1.05, 101.05, 6};
    const BackwaterResult& r = compute(in);
    const double hb = r.branch.hb;
    for (int i = 1; i < r.profiles.count; ++i) {
        SCOPED_TRACE(i);
        const double prev = r.profiles.hp[i - 1];
        const double exact = static_cast<double>(
            reference::stepDepth(prev, 1.0, 2.0, 1.5, 1.5, 10.0, 1000.0, 30.0, 1e-3, hb, 3 * prev));
        EXPECT_LT(std::fabs(r.profiles.hp[i] - exact), 1e-7);
    }
    for (int j = 1; j < FINE_STEP_COUNT; ++j) {
        if (!(march->depth[j] > march->depth[j - 1] - 1e-7 && march->depth[j] < r.hn + 1e-7)) {
            ADD_FAILURE() << "station " << j << ": " << march->depth[j - 1] << " then " << march->depth[j];
            break;
        }
    }
}

TEST_F(Backwater, CriticalDepthIsAssumedWhereNoSubcriticalBalanceExists) {
    // A backwater on a steeper channel (hn 1.44, hb 1.05) at a spacing of
    // 1000 m: the energy falls by more over one spacing than the flow has
    // above its minimum, so the profile table meets a step without a
    // subcritical balance and takes the critical depth. The 1 m march
    // needs no such step.
    const BackwaterInput in{2.0, 1.5, 1.5, 10.0, 30.0, 4e-3, 1.0, 1000.0, 2.0, 102.0, 20};
    const BackwaterResult& r = compute(in);
    EXPECT_TRUE(r.criticalAssumed);
    bool tookHb = false;
    for (int i = 0; i < r.profiles.count; ++i) tookHb |= r.profiles.hp[i] == r.branch.hb;
    EXPECT_TRUE(tookHb);
    for (int i = 0; i < r.profiles.count; ++i) EXPECT_GE(r.profiles.hp[i], r.branch.hb) << i;
}

TEST_F(Backwater, KindAndLengthAtTheBandLimits) {
    BackwaterInput in = example();
    const double hn = compute(in).hn;
    const struct {
        const char* name;
        double hu;
        LengthKind kind;
    } cases[] = {
        {"equal", hn, LengthKind::None},
        {"just below", std::nextafter(hn, 0.0), LengthKind::Drawdown},
        {"band edge below", 0.99 * hn, LengthKind::Drawdown},
        {"just above", std::nextafter(hn, 10.0), LengthKind::Backwater},
        {"band edge above", 1.01 * hn, LengthKind::Backwater},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // each computation starts afresh, right after one with a long run
        in.hu = 3.0;
        ASSERT_GT(compute(in).length, 1000);
        in.hu = c.hu;
        const BackwaterResult& r = compute(in);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.length, 0);
    }
}

TEST_F(Backwater, LengthDoesNotDependOnSpacingOrProfileCount) {
    BackwaterInput in = example();
    const int reference = compute(in).length;
    for (const auto& lPa : {std::pair{1.0, 1}, {1000.0, 15000}, {7.3, -3}, {250.0, 0}}) {
        SCOPED_TRACE(testing::Message() << "l " << lPa.first << " Pa " << lPa.second);
        in.l = lPa.first;
        in.Pa = lPa.second;
        const BackwaterResult& r = compute(in);
        EXPECT_EQ(r.length, reference);
        EXPECT_EQ(r.profiles.count, lPa.second > 0 ? lPa.second : 0);
    }
}

TEST_F(Backwater, SingleProfileAndNoProfiles) {
    BackwaterInput in = example();
    in.Pa = 1;
    const BackwaterResult& one = compute(in);
    ASSERT_EQ(one.profiles.count, 1);
    EXPECT_EQ(one.profiles.hp[0], in.hu);
    EXPECT_NEAR(one.profiles.wsp[0], in.wsp, 1e-13);
    for (int Pa : {0, -3, INT32_MIN}) {
        SCOPED_TRACE(Pa);
        in.Pa = Pa;
        const BackwaterResult& none = compute(in);
        EXPECT_EQ(none.profiles.count, 0);
        EXPECT_EQ(none.kind, LengthKind::Backwater);
        EXPECT_GT(none.length, 0);
    }
}

TEST_F(Backwater, RunThroughAllStationsGivesTheLastStation) {
    // A very flat channel backed up by 10 m: the backwater reaches far
    // beyond 15 km.
    BackwaterInput in{2.0, 1.5, 1.5, 10.0, 30.0, 1e-5, 1.0, 100.0, 15.0, 115.0, 3};
    const BackwaterResult& r = compute(in);
    EXPECT_EQ(r.kind, LengthKind::Backwater);
    EXPECT_EQ(r.length, FINE_STEP_COUNT - 1);
}

TEST_F(Backwater, ComputationAllocatesNothing) {
    BackwaterInput in = example();
    in.Pa = 15000;
    const long before = allocations.load();
    compute(in);
    EXPECT_EQ(allocations.load(), before);
}

}  // namespace
