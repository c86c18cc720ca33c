#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "backwater/fixed_format.h"
#include "tests/xorshift.h"

namespace {

std::string fixed(double value, int precision) {
    char text[FIXED_TEXT_SIZE];
    return std::string(text, static_cast<std::size_t>(formatFixed(value, precision, text)));
}

std::string printed(double value, int precision) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", precision, value);
    return text;
}

// The C library's printf is the reference: the same text for every value,
// ties of the exact binary value included.
TEST(FixedFormat, WritesWhatPrintfWrites) {
    const double cases[] = {0.0, -0.0, 0.125, 0.375, 2.5, 3.5, -2.5, 0.005, 0.015, 0.0005, 1.0005, 0.05, 0.45,
                            99.995, 999.9995, -0.001, -0.0049, 0.00049999999999999999, 1e-320, -1e-310,
                            4503599627370495.5, 9007199254740991.0, 9007199254740992.0, 1e17, 1.7976931348623157e308,
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (double value : cases) {
        for (int precision = 0; precision <= 3; ++precision) {
            SCOPED_TRACE(testing::Message() << value << " %." << precision << "f");
            EXPECT_EQ(fixed(value, precision), printed(value, precision));
        }
    }
    // Random values of every size a report can show, and exact halves of
    // the last decimal, where the rounding to even shows.
    Xorshift random{0x2545F4914F6CDD1Du};
    auto next = [&random] { return random.bits(); };
    int mismatches = 0;
    for (int i = 0; i < 2000000 && mismatches < 5; ++i) {
        const int precision = static_cast<int>(next() % 4);
        double value;
        switch (i % 4) {
            case 0: value = std::bit_cast<double>(next()); break;  // any double
            case 1: value = std::ldexp(static_cast<double>(next() >> 11), -static_cast<int>(next() % 80)); break;
            case 2: value = (static_cast<double>(next() % 2000000) + 0.5) / std::pow(10.0, precision); break;
            default: value = static_cast<double>(static_cast<std::int64_t>(next() % 2000001) - 1000000) / 64.0;
        }
        if (fixed(value, precision) != printed(value, precision)) {
            ++mismatches;
            ADD_FAILURE() << value << " %." << precision << "f: " << fixed(value, precision) << " against "
                          << printed(value, precision);
        }
    }
}

}  // namespace
