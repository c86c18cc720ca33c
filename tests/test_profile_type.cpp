#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/profile_type.h"

namespace {

TEST(ProfileType, ClassifiesByNormalCriticalAndControlDepth) {
    const double below = std::nextafter(1.0, 0.0), above = std::nextafter(1.0, 2.0);
    const struct {
        double hn, hb, hu;
        const char* type;
    } cases[] = {
        // mild: hn 2 above hb 1
        {2.0, 1.0, 3.0, "M1"}, {2.0, 1.0, 1.5, "M2"}, {2.0, 1.0, 1.0, "M2"}, {2.0, 1.0, below, "M3"},
        {2.0, 1.0, 0.5, "M3"}, {2.0, 1.0, 2.0, "-"},   {2.0, 1.0, std::nextafter(2.0, 3.0), "M1"},
        // steep: hn 1 below hb 2
        {1.0, 2.0, 3.0, "S1"}, {1.0, 2.0, 2.0, "S2"}, {1.0, 2.0, 1.5, "S2"}, {1.0, 2.0, above, "S2"},
        {1.0, 2.0, 0.5, "S3"}, {1.0, 2.0, below, "S3"}, {1.0, 2.0, 1.0, "-"},
        {1.0, 2.0, std::nextafter(2.0, 3.0), "S1"},
        // critical: hn = hb
        {1.0, 1.0, 2.0, "C1"}, {1.0, 1.0, 0.5, "C3"}, {1.0, 1.0, 1.0, "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hn " << c.hn << " hb " << c.hb << " hu " << c.hu);
        EXPECT_EQ(std::string(profileTypeName(profileType(c.hn, c.hb, c.hu))), c.type);
    }
}

}  // namespace
