#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "calculator/result_format.h"

namespace {

std::string format(double v) {
    char text[RESULT_TEXT_SIZE];
    formatResultValue(v, text);
    return text;
}

TEST(ResultFormat, FiveSignificantDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {100.0, "100"},
        {2.5, "2.5"},
        {-0.25, "-0.25"},
        {1.5e5, "1.5e+05"},
        {2e-5, "2e-05"},
        {1e-100, "1e-100"},
        {3.5, "3.5"},
        {5.605551275463989, "5.6056"},
        {0.0098039215686, "0.0098039"},
        {0.0001, "0.0001"},
        {0.00012345678, "0.00012346"},
        {99999.4, "99999"},
        {99999.5, "1e+05"},
        {999994.0, "9.9999e+05"},
        {12345.5, "12346"},    // 12345.5 is exact: tie, to even
        {12344.5, "12344"},
        {1.25e300, "1.25e+300"},
        {-7.0e-7, "-7e-07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(format(c.value), c.text);
    }
}

TEST(ResultFormat, AgreesWithTheCLibraryOverManyDecades) {
    // glibc's printf is an independent implementation of the same conversion.
    char expected[64];
    for (int decade = -30; decade <= 30; ++decade) {
        for (double mantissa : {1.0, 1.23456789, 2.0000049999, 4.99995, 9.99995, 9.999949999, 7.77777777}) {
            for (double sign : {1.0, -1.0}) {
                const double v = sign * mantissa * std::pow(10.0, decade);
                std::snprintf(expected, sizeof expected, "%.5g", v);
                EXPECT_EQ(format(v), expected) << v;
            }
        }
    }
}

}  // namespace
