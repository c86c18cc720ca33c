// Independent references for the solver tests: roots of the hydraulic
// relations written out afresh in long double with the exact fractions, found
// by the Illinois variant of regula falsi. None of this calls the code under
// test.
#pragma once

#include <cmath>
#include <functional>

namespace reference {

// Root of f on [a, b] (f(a), f(b) of opposite signs) to about 1e-15 m.
inline long double illinoisRoot(const std::function<long double(long double)>& f, long double a, long double b) {
    long double fa = f(a), fb = f(b);
    int side = 0;
    for (int i = 0; i < 400 && std::fabs(b - a) > 1e-16L; ++i) {
        const long double c = (a * fb - b * fa) / (fb - fa);
        const long double fc = f(c);
        if (fc == 0) return c;
        if ((fc > 0) == (fb > 0)) {
            b = c;
            fb = fc;
            if (side == -1) fa /= 2;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == +1) fb /= 2;
            side = +1;
        }
    }
    return (a + b) / 2;
}

inline long double area(long double bso, long double m, long double n, long double h) {
    return (m + n) / 2 * h * h + bso * h;
}

inline long double perimeter(long double bso, long double m, long double n, long double h) {
    return bso + h * (std::sqrt(1 + m * m) + std::sqrt(1 + n * n));
}

// Critical depth from Q^2 B = g A^3.
inline long double criticalDepth(long double bso, long double m, long double n, long double Q) {
    const long double g = 9.81L;
    return illinoisRoot(
        [=](long double h) { return g * std::pow(area(bso, m, n, h), 3) - Q * Q * ((m + n) * h + bso); },
        1e-3L, 200.0L);
}

// Normal depth from Q = kst A R^(2/3) Iso^(1/2).
inline long double normalDepth(long double Q, long double kst, long double bso, long double m, long double n,
                               long double Iso) {
    return illinoisRoot(
        [=](long double h) {
            const long double A = area(bso, m, n, h);
            return kst * A * std::pow(A / perimeter(bso, m, n, h), 2.0L / 3) * std::sqrt(Iso) - Q;
        },
        1e-3L, 200.0L);
}

// Depth l upstream of a section of depth hKnown by the energy balance
//   h + l Iso + beta vT^2/2g = hKnown + beta vK^2/2g + l vm^2 / (kst^2 Rm^(4/3)),
// searched in [lo, hi] where it changes sign.
inline long double stepDepth(long double hKnown, long double beta, long double bso, long double m, long double n,
                             long double Q, long double l, long double kst, long double Iso, long double lo,
                             long double hi) {
    const long double g2 = 2 * 9.81L;
    return illinoisRoot(
        [=](long double h) {
            const long double AK = area(bso, m, n, hKnown), AT = area(bso, m, n, h);
            const long double vK = Q / AK, vT = Q / AT, vm = Q / ((AK + AT) / 2);
            const long double Rm = (AK + AT) / (perimeter(bso, m, n, hKnown) + perimeter(bso, m, n, h));
            const long double hf = l * vm * vm / (kst * kst * std::pow(Rm, 4.0L / 3));
            return hKnown + beta * vK * vK / g2 + hf - l * Iso - beta * vT * vT / g2 - h;
        },
        lo, hi);
}

}  // namespace reference
