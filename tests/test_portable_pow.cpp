#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "portable_pow.h"

namespace {

TEST(PortablePow, ExactCases) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double x, y, expected;
    } cases[] = {
        {7.5, 0.0, 1.0},     {7.5, 1.0, 7.5},        {3.0, 5.0, 243.0},   {2.0, -3.0, 0.125},
        {10.0, 2.0, 100.0},  {2.25, 0.5, 1.5},       {0.0, 0.4, 0.0},     {0.0, -1.0, inf},
        {inf, 0.52, inf},    {inf, -2.0, 0.0},       {1.0, inf, 1.0},     {-2.0, 3.0, -8.0},
        {1e300, 2.0, inf},   {1e-300, 2.0, 0.0},     {4.0, 1.5, 8.0},     {1024.0, 0.1, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " ^ " << c.y);
        EXPECT_EQ(portablePow(c.x, c.y), c.expected);
    }
    EXPECT_TRUE(std::isnan(portablePow(-2.0, 0.5)));
    EXPECT_TRUE(std::isnan(portablePow(std::nan(""), 2.0)));
}

// Within one unit in the last place of the long double power (the routine
// promises 0.52), for the
// exponents of the hydraulic relations and for general arguments.
TEST(PortablePow, WithinOneUnitInTheLastPlace) {
    const double exponents[] = {0.666666666666, 0.33333333333, 1.33333333333333, 0.6666666666, 0.52, 0.4};
    std::uint64_t s = 88172645463325252u;
    auto next = [&s] {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<double>(s >> 11) / 9007199254740992.0;
    };
    int beyond = 0;
    for (int i = 0; i < 300000; ++i) {
        const double x = std::exp(next() * 60.0 - 30.0);
        const double y = i % 2 == 0 ? exponents[(i / 2) % 6] : next() * 20.0 - 10.0;
        const double p = portablePow(x, y);
        const long double reference = std::pow(static_cast<long double>(x), static_cast<long double>(y));
        const double ulp = std::nextafter(static_cast<double>(reference), std::numeric_limits<double>::infinity()) -
                           static_cast<double>(reference);
        if (std::fabs(static_cast<long double>(p) - reference) > ulp) {
            ++beyond;
            ADD_FAILURE() << x << " ^ " << y << " = " << p;
            if (beyond > 5) return;
        }
    }
}

}  // namespace
