#include <gtest/gtest.h>

#include <cmath>

#include "core/constants.h"
#include "core/section.h"

namespace {

struct SectionCase {
    const char* name;
    TrapezoidSection s;
    double h;
    double A, U, B;  // closed forms, written out per shape
};

TEST(Section, ClosedFormsOfRectangleTriangleAndTrapezoid) {
    const double r2 = std::sqrt(2.0);
    const SectionCase cases[] = {
        {"rectangle", {3.0, 0.0, 0.0}, 1.5, 3.0 * 1.5, 3.0 + 2 * 1.5, 3.0},
        {"narrow rectangle", {0.4, 0.0, 0.0}, 2.0, 0.8, 4.4, 0.4},
        {"triangle m=n=1", {0.0, 1.0, 1.0}, 2.0, 4.0, 2 * r2 * 2.0, 4.0},
        {"triangle m=2 n=0", {0.0, 2.0, 0.0}, 1.0, 1.0, std::sqrt(5.0) + 1.0, 2.0},
        {"bank slope 1 adds sqrt2 h, 0 adds h", {1.0, 1.0, 0.0}, 2.0, 4.0, 1.0 + r2 * 2 + 2, 3.0},
        {"worked trapezoid", {2.0, 1.5, 1.5}, 1.0, 3.5, 2 + 2 * std::sqrt(3.25), 5.0},
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(wettedArea(c.s, c.h), c.A, 1e-14);
        EXPECT_NEAR(wettedPerimeter(c.s, c.h), c.U, 1e-14);
        EXPECT_NEAR(hydraulicRadius(c.s, c.h), c.A / c.U, 1e-14);
        EXPECT_NEAR(topWidth(c.s, c.h), c.B, 1e-14);
        // mean width A/h: half the top width for a triangle, bso for a rectangle
        if (c.s.bso == 0.0) { EXPECT_NEAR(wettedArea(c.s, c.h) / c.h, topWidth(c.s, c.h) / 2, 1e-14); }
    }
}

TEST(Section, ExchangingTheBanksChangesNothing) {
    const double slopes[][2] = {{0.0, 2.5}, {1.5, 0.25}, {100.0, 0.0}, {3.0, 7.0}};
    for (const auto& mn : slopes) {
        SCOPED_TRACE(testing::Message() << "m " << mn[0] << " n " << mn[1]);
        const TrapezoidSection a{1.7, mn[0], mn[1]}, b{1.7, mn[1], mn[0]};
        for (double h : {0.01, 0.9, 13.0}) {
            SCOPED_TRACE(h);
            EXPECT_EQ(wettedArea(a, h), wettedArea(b, h));
            EXPECT_EQ(wettedPerimeter(a, h), wettedPerimeter(b, h));
            EXPECT_EQ(topWidth(a, h), topWidth(b, h));
        }
    }
}

TEST(Section, FlowRelations) {
    // No discharge: no velocity head, energy head equals depth.
    EXPECT_EQ(velocityHead(0.0), 0.0);
    EXPECT_EQ(energyHead(1.25, 0.0), 1.25);
    // v = sqrt(2 g) gives a velocity head of one metre.
    EXPECT_NEAR(velocityHead(std::sqrt(2 * 9.81)), 1.0, 1e-15);
    EXPECT_NEAR(energyHead(2.0, std::sqrt(2 * 9.81)), 3.0, 1e-15);
    // Froude number against sqrt(g hgr).
    EXPECT_NEAR(froudeNumber(std::sqrt(9.81 * 4.0), 4.0), 1.0, 1e-15);
    // Strickler: kst R^e Iso^0.5
    EXPECT_NEAR(stricklerVelocity(30.0, 8.0, 0.0004, 1.0 / 3), 30.0 * 2.0 * 0.02, 1e-12);
    EXPECT_NEAR(VELOCITY_HEAD_FACTOR, 1.0 / (2 * 9.81), 1e-18);
    EXPECT_NEAR(INV_GRAVITY, 1.0 / 9.81, 1e-17);
}

}  // namespace
