#include "backwater/fixed_format.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>

int formatFixed(double value, int precision, char (&out)[FIXED_TEXT_SIZE]) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & 0x000FFFFFFFFFFFFFu;
    static constexpr std::uint64_t POWER_OF_TEN[] = {1, 10, 100, 1000};

    // |value| = M 2^E; below 2^53 (E < 0, or zero) the scaled value
    // M 10^N 2^E is found exactly: M 10^N stays below 2^63.
    if (biased == 0x7FF || biased >= 1075 || precision < 0 || precision > 3) {
        if (biased == 0x7FF) {  // infinities and NaNs, as printf writes them
            return std::snprintf(out, FIXED_TEXT_SIZE, "%.*f", precision, value);
        }
        return static_cast<int>(
            std::to_chars(out, out + FIXED_TEXT_SIZE, value, std::chars_format::fixed, precision).ptr - out);
    }
    const std::uint64_t M = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = 1075 - (biased == 0 ? 1 : biased);  // -E, at least 1
    const std::uint64_t scaled = M * POWER_OF_TEN[precision];
    std::uint64_t units = 0;  // the value in units of 10^-N, rounded
    if (shift < 64) {
        units = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        units += (rest > half) | ((rest == half) & (units & 1));
    }  // else below half a unit: 0

    int length = 0;
    if (bits >> 63) out[length++] = '-';
    const std::uint64_t whole = units / POWER_OF_TEN[precision];
    length = static_cast<int>(std::to_chars(out + length, out + FIXED_TEXT_SIZE, whole).ptr - out);
    if (precision > 0) {
        out[length++] = '.';
        std::uint64_t decimals = units % POWER_OF_TEN[precision];
        for (int i = precision - 1; i >= 0; --i) {
            out[length + i] = static_cast<char>('0' + decimals % 10);
            decimals /= 10;
        }
        length += precision;
    }
    return length;
}
