#include "core/section.h"

#include <cmath>

#include "core/constants.h"
#include "core/portable_pow.h"

double wettedArea(TrapezoidSection s, double h) {
    return (s.m + s.n) * 0.5 * h * h + s.bso * h;
}

double bankLengthFactor(double m, double n) {
    return std::sqrt(1.0 + n * n) + std::sqrt(1.0 + m * m);
}

double wettedPerimeter(TrapezoidSection s, double h) {
    return bankLengthFactor(s.m, s.n) * h + s.bso;
}

double hydraulicRadius(TrapezoidSection s, double h) {
    return wettedArea(s, h) / wettedPerimeter(s, h);
}

double topWidth(TrapezoidSection s, double h) {
    return (s.m + s.n) * h + s.bso;
}

// Iso^0.5 is taken as a square root: it is correctly rounded on every
// platform, where a general power may differ in the last bit.
double stricklerVelocity(double kst, double R, double Iso, double e) {
    return kst * portablePow(R, e) * std::sqrt(Iso);
}

double velocityHead(double v) {
    return v * v * VELOCITY_HEAD_FACTOR;
}

double energyHead(double h, double v) {
    return velocityHead(v) + h;
}

double froudeNumber(double v, double hgr) {
    return v / std::sqrt(GRAVITY * hgr);
}
