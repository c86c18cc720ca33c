#include "dialog/field_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* skipSpace(const char* p) {
    while (isSpace(*p)) ++p;
    return p;
}

}  // namespace

double parseDecimalField(const char* text) {
    const char* p = skipSpace(text);
    bool negative = false;
    bool signed_ = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        signed_ = true;
        ++p;
    }
    if (signed_ && std::strncmp(p, "INF", 3) == 0) {
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (signed_ && std::strncmp(p, "NAN", 3) == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }

    // Scan the longest prefix of the form digits [. digits] [e [sign] digits]
    // with at least one mantissa digit, and note the decimal exponent of its
    // leading nonzero digit so that a conversion out of range can be told
    // apart as overflow or underflow.
    const char* start = p;
    long magnitude = 0;          // decimal exponent of the leading nonzero digit, before the e part
    bool seenNonzero = false;
    int mantissaDigits = 0;
    long integerDigits = 0;      // digits before the point, after leading zeros
    long leadingFractionZeros = 0;
    while (isDigit(*p)) {
        if (*p != '0') seenNonzero = true;
        if (seenNonzero) ++integerDigits;
        ++mantissaDigits;
        ++p;
    }
    if (*p == '.') {
        ++p;
        while (isDigit(*p)) {
            if (!seenNonzero) {
                if (*p != '0') seenNonzero = true;
                else ++leadingFractionZeros;
            }
            ++mantissaDigits;
            ++p;
        }
    }
    if (mantissaDigits == 0) return 0.0;
    if (!seenNonzero) return negative ? -0.0 : 0.0;
    magnitude = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);

    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool expNegative = false;
        if (*q == '+' || *q == '-') {
            expNegative = *q == '-';
            ++q;
        }
        if (isDigit(*q)) {
            long exponent = 0;
            while (isDigit(*q)) {
                // Saturate: any exponent beyond a few thousand is out of range anyway.
                if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            magnitude += expNegative ? -exponent : exponent;
            p = q;
        }
    }

    double value = 0.0;
    const std::from_chars_result r = std::from_chars(start, p, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t parseIntegerField(const char* text) {
    const char* p = skipSpace(text);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Unsigned arithmetic wraps modulo 2^32 without undefined behaviour; the
    // conversion to a signed 32-bit value keeps the same bits.
    std::uint32_t value = 0;
    while (isDigit(*p)) {
        value = value * 10u + static_cast<std::uint32_t>(*p - '0');
        ++p;
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
