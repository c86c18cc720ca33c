#include "calculator/uniform_flow.h"

#include "core/bisection.h"
#include "core/depth_solvers.h"
#include "core/portable_pow.h"
#include "core/portable_trig.h"
#include "core/section.h"

namespace {

// The velocity of uniform flow at hydraulic radius R.
double uniformVelocity(const UniformFlowInput& in, double R) {
    if (in.Iso < STEEP_SLOPE_LIMIT) return stricklerVelocity(in.kst, R, in.Iso, MILD_SLOPE_RADIUS_EXPONENT);
    // Steep slopes: the slope term is the arcsine (not the sine) of the bed
    // angle atan(Iso), both in radians.
    return in.kst * portablePow(R, STEEP_SLOPE_RADIUS_EXPONENT) *
           portablePow(portableAsin(portableAtan(in.Iso)), STEEP_SLOPE_TERM_EXPONENT);
}

}  // namespace

double uniformDischarge(const UniformFlowInput& channel, double h) {
    return uniformVelocity(channel, hydraulicRadius(channel.section, h)) * wettedArea(channel.section, h);
}

double depthForDischarge(const UniformFlowInput& channel, double Q) {
    return solveDepthBisection([&](double h) { return uniformDischarge(channel, h) - Q; }, 0.0, DEPTH_FOR_DISCHARGE_MAX);
}

UniformFlowResult computeUniformFlow(const UniformFlowInput& in) {
    const TrapezoidSection s = in.section;
    UniformFlowResult r{};
    r.A = wettedArea(s, in.h);
    r.U = wettedPerimeter(s, in.h);
    r.R = hydraulicRadius(s, in.h);
    r.v = uniformVelocity(in, r.R);
    r.Q = r.v * r.A;
    r.hE = energyHead(in.h, r.v);

    // Parabola y = k x^2 over the top width B = 2b with the same area A:
    // A = 4/3 k b^3, so k = 3A / (4 b^3), and its height at the banks k b^2.
    const double b = 0.5 * topWidth(s, in.h);
    r.k = 3.0 * r.A / (4.0 * b * b * b);
    r.hp = r.k * b * b;

    const CriticalState critical = criticalState(s, r.Q, r.v);
    r.hgr = critical.hgr;
    r.hEm = critical.hEm;
    r.Fr = critical.Fr;
    return r;
}
