// The tests' random numbers: a xorshift generator, the same sequence on
// every run and every platform.
#pragma once

#include <cstdint>

struct Xorshift {
    std::uint64_t s = 88172645463325252u;

    std::uint64_t bits() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }

    // Uniform in [0, 1), from the top 53 bits.
    double unit() { return static_cast<double>(bits() >> 11) / 9007199254740992.0; }
};
