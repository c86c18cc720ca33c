#include "uniform_flow.h"

#include <cmath>

#include "constants.h"
#include "portable_pow.h"
#include "depth_solvers.h"
#include "section.h"

UniformFlowResult computeUniformFlow(const UniformFlowInput& in) {
    const TrapezoidSection s{in.bso, in.m, in.n};
    UniformFlowResult r{};
    r.A = wettedArea(s, in.h);
    r.U = wettedPerimeter(s, in.h);
    r.R = r.A / r.U;
    if (in.Iso < STEEP_SLOPE_LIMIT) {
        r.v = stricklerVelocity(in.kst, r.R, in.Iso, MILD_SLOPE_RADIUS_EXPONENT);
    } else {
        // Steep slopes: the slope term is the arcsine (not the sine) of the
        // bed angle atan(Iso), both in radians.
        r.v = in.kst * portablePow(r.R, STEEP_SLOPE_RADIUS_EXPONENT) *
              portablePow(std::asin(std::atan(in.Iso)), STEEP_SLOPE_TERM_EXPONENT);
    }
    r.Q = r.v * r.A;
    r.hE = energyHead(in.h, r.v);

    // Parabola y = k x^2 over the top width B = 2b with the same area A:
    // A = 4/3 k b^3, so k = 3A / (4 b^3), and its height at the banks k b^2.
    const double b = 0.5 * topWidth(s, in.h);
    r.k = 3.0 * r.A / (4.0 * b * b * b);
    r.hp = r.k * b * b;

    r.hgr = criticalDepth(in.bso, in.m, in.n, r.Q);
    const double Agr = wettedArea(s, r.hgr);
    const double vgr = r.Q / Agr;
    r.hEm = energyHead(r.hgr, vgr);
    r.Fr = froudeNumber(r.v, r.hgr);
    return r;
}
