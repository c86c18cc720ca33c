#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "dialog/field_text.h"

namespace {

const double INF = std::numeric_limits<double>::infinity();

TEST(FieldText, DecimalRules) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0.0},
        {"1.5", 1.5},
        {"  \t\n\v\f\r2.25", 2.25},
        {"+3", 3.0},
        {"-0.125", -0.125},
        {"12abc", 12.0},
        {"0,5", 0.0},
        {"1,5", 1.0},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"-", 0.0},
        {"+.", 0.0},
        {"abc", 0.0},
        {"0x1A", 0.0},
        {"1e3", 1000.0},
        {"2.5E-2", 0.025},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e-x", 1.0},
        {"7 8", 7.0},
        {"1.2.3", 1.2},
        {"inf", 0.0},
        {"INF", 0.0},
        {"nan", 0.0},
        {"NAN", 0.0},
        {"+inf", 0.0},
        {"+Inf", 0.0},
        {"+INF", INF},
        {"-INF", -INF},
        {"+INFINITY", INF},
        {"1e400", INF},
        {"-1e400", -INF},
        {"1e-400", 0.0},
        {"99999999999999999999e99999999999999999999", INF},
        {"0.000000000000000000001e-310", 0.0},
        {"4.9406564584124654e-324", 4.9406564584124654e-324},  // smallest subnormal
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"0.1", 0.1},
        {"0.05", 0.05},
        {"000123.4500", 123.45},
        // correctly rounded: halfway between two doubles, to even
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740995", 9007199254740996.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDecimalField(c.text), c.value);
    }
}

TEST(FieldText, SignedNanIsAQuietNan) {
    EXPECT_TRUE(std::isnan(parseDecimalField("-NAN")));
    EXPECT_TRUE(std::isnan(parseDecimalField("+NAN(123)")));
    EXPECT_TRUE(std::signbit(parseDecimalField("-0")));
}

TEST(FieldText, IntegerRules) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"20", 20},
        {"  -3", -3},
        {"+7", 7},
        {"12.7", 12},
        {"2.9", 2},
        {"0.5", 0},
        {"abc", 0},
        {"- 3", 0},
        {"1e3", 1},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MIN},  // wraps in 32 bits
        {"4294967297", 1},
        {"99999999999999999999999", -159383553},  // 10^23 - 1 modulo 2^32
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseIntegerField(c.text), c.value);
    }
}

}  // namespace

namespace {

// Over an alphabet without letters other than e and E, the C library's
// strtod reads the same value (it differs only for the words INF and NAN and
// for hexadecimal forms), so it serves as an independent reference.
TEST(FieldText, AgreesWithStrtodOnRandomDecimalTexts) {
    const char alphabet[] = "0123456789012345678901234567890123456789..eE+- \t,a";
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 20000; ++i) {
        char text[50];
        const int length = static_cast<int>(next() % 30);
        for (int k = 0; k < length; ++k) text[k] = alphabet[(next() >> 8) % (sizeof alphabet - 1)];
        text[length] = '\0';
        const double expected = std::strtod(text, nullptr);
        const double actual = parseDecimalField(text);
        EXPECT_TRUE(actual == expected && std::signbit(actual) == std::signbit(expected)) << '"' << text << '"';
    }
}

TEST(FieldText, IntegerAgreesWithStrtolInRange) {
    std::uint32_t seed = 777;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const char alphabet[] = "0123456789 -+.a";
    for (int i = 0; i < 20000; ++i) {
        char text[50];
        const int length = static_cast<int>(next() % 12);
        for (int k = 0; k < length; ++k) text[k] = alphabet[(next() >> 8) % (sizeof alphabet - 1)];
        text[length] = '\0';
        const long long expected = std::strtoll(text, nullptr, 10);
        if (expected < INT32_MIN || expected > INT32_MAX) continue;
        EXPECT_EQ(parseIntegerField(text), expected) << '"' << text << '"';
    }
}

}  // namespace
