#include "core/portable_trig.h"

#include <array>
#include <limits>

namespace {

constexpr int TERMS = 12;  // z^12 < 2^-72 for z = x^2 <= 1/64

// atan x = x + x z (-1/3 + z/5 - z^2/7 + ...), z = x^2
constexpr std::array<double, TERMS> ATAN_COEFFICIENTS = [] {
    std::array<double, TERMS> c{};
    for (int n = 1; n <= TERMS; ++n) c[n - 1] = (n % 2 == 1 ? -1.0 : 1.0) / (2.0 * n + 1.0);
    return c;
}();

// asin x = x + x z (1/6 + 3z/40 + 15z^2/336 + ...), the coefficient of
// x^(2n+1) being (2n)! / (4^n (n!)^2 (2n+1)).
constexpr std::array<double, TERMS> ASIN_COEFFICIENTS = [] {
    std::array<double, TERMS> c{};
    double central = 1.0;  // (2n)! / (4^n (n!)^2), built up term by term
    for (int n = 1; n <= TERMS; ++n) {
        central = central * (2.0 * n - 1.0) / (2.0 * n);
        c[n - 1] = central / (2.0 * n + 1.0);
    }
    return c;
}();

double smallAngleSeries(double x, const std::array<double, TERMS>& c) {
    if (!(x >= -SMALL_ANGLE_MAX && x <= SMALL_ANGLE_MAX)) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return x;  // keeps the sign of a zero, as C's atan and asin
    const double z = x * x;
    double p = c[TERMS - 1];
    for (int i = TERMS - 2; i >= 0; --i) p = p * z + c[i];
    return x + x * (z * p);
}

}  // namespace

double portableAtan(double x) {
    return smallAngleSeries(x, ATAN_COEFFICIENTS);
}

double portableAsin(double x) {
    return smallAngleSeries(x, ASIN_COEFFICIENTS);
}
