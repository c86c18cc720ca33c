#include "backwater/backwater.h"

#include "core/depth_solvers.h"
#include "core/section.h"
#include "core/standard_step.h"

namespace {

// Band around the normal depth inside which the flow counts as uniform again.
constexpr double DRAWDOWN_BAND = 0.99;
constexpr double BACKWATER_BAND = 1.01;

}  // namespace

void computeBackwater(const BackwaterInput& in, FineMarch& march, BackwaterResult& r) {
    const TrapezoidSection s = in.section;

    // Normal state.
    r.hn = normalDepth(in.Q, in.kst, s.bso, s.m, s.n, in.Iso);
    r.An = wettedArea(s, r.hn);
    r.Un = wettedPerimeter(s, r.hn);
    r.Rn = hydraulicRadius(s, r.hn);
    r.vn = in.Q / r.An;
    r.hEn = energyHead(r.hn, r.vn);

    // Critical state; the Froude number of normal flow refers to hgr.
    const CriticalState critical = criticalState(s, in.Q, r.vn);
    r.hgr = critical.hgr;
    r.hemin = critical.hEm;
    r.Fr = critical.Fr;

    r.hnFound = normalDepthInBracket(in.Q, in.kst, s.bso, s.m, s.n, in.Iso);
    r.hgrFound = criticalDepthInBracket(s.bso, s.m, s.n, in.Q);
    r.branch = flowBranch(r.hn, in.beta, s.bso, s.m, s.n, in.Q, in.kst, in.Iso);
    r.criticalAssumed = false;

    // Profile table: march upstream at spacing l; the depth computed for
    // profile Pa is not kept.
    ProfileTable& t = r.profiles;
    t.count = in.Pa > 0 ? in.Pa : 0;
    const double bedAtControl = in.wsp - in.hu;
    double h = in.hu;
    for (int i = 0; i < t.count; ++i) {
        t.hp[i] = h;
        t.wsp[i] = bedAtControl + i * in.l * in.Iso + h;
        const StepDepth next = nextProfileDepthOnBranch(h, r.branch, in.beta, s.bso, s.m, s.n, in.Q, in.l, in.kst,
                                                        in.Iso);
        h = next.h;
        r.criticalAssumed |= next.criticalAssumed;
    }

    // March at 1 m over all stations, whatever l and Pa are, for the length.
    h = in.hu;
    for (int j = 0; j < FINE_STEP_COUNT; ++j) {
        march.depth[j] = h;
        const StepDepth next = nextProfileDepthOnBranch(h, r.branch, in.beta, s.bso, s.m, s.n, in.Q, 1.0, in.kst,
                                                        in.Iso);
        h = next.h;
        r.criticalAssumed |= next.criticalAssumed;
    }

    // Length: the last station of the unbroken run from the control profile
    // whose depths lie outside the 1 % band on the side of the control depth.
    r.kind = LengthKind::None;
    r.length = 0;
    if (r.hn > march.depth[0]) {
        r.kind = LengthKind::Drawdown;
        for (int j = 0; j < FINE_STEP_COUNT && march.depth[j] < DRAWDOWN_BAND * r.hn; ++j) r.length = j;
    } else if (r.hn < march.depth[0]) {
        r.kind = LengthKind::Backwater;
        for (int j = 0; j < FINE_STEP_COUNT && march.depth[j] > BACKWATER_BAND * r.hn; ++j) r.length = j;
    }
}

int backwaterWarnings(const BackwaterInput& in, const BackwaterResult& r,
                      BackwaterWarning (&warnings)[MAX_BACKWATER_WARNINGS]) {
    int count = 0;
    if (!r.hnFound) warnings[count++] = BackwaterWarning::NormalDepthOutside;
    if (!r.hgrFound) warnings[count++] = BackwaterWarning::CriticalDepthOutside;
    if (count > 0) return count;

    // A march upstream describes subcritical flow only: on a steep channel,
    // or from a supercritical control depth, the flow is controlled from
    // upstream and the computed length means nothing.
    const double hb = r.branch.hb;
    if (in.beta > 0.0 && r.branch.hbFound && (r.hn <= hb || in.hu < hb)) {
        warnings[count++] = BackwaterWarning::Supercritical;
        return count;
    }
    if (r.criticalAssumed) warnings[count++] = BackwaterWarning::CriticalDepthAssumed;
    if (r.kind != LengthKind::None && r.length == FINE_STEP_COUNT - 1) {
        warnings[count++] = BackwaterWarning::LengthBeyondMarch;
    }
    return count;
}
