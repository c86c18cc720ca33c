#include "backwater/backwater_outputs.h"

#include <charconv>
#include <initializer_list>

#include "core/section.h"

ProfileType backwaterProfileType(const BackwaterInput& in, const BackwaterResult& r) {
    return profileType(r.hn, r.branch.hb, in.hu);
}

const char* lengthKindName(LengthKind kind) {
    switch (kind) {
        case LengthKind::Backwater: return "Stauweite";
        case LengthKind::Drawdown: return "Senkungsweite";
        case LengthKind::None: return "Kein";
    }
    return "Kein";
}

void writeSummary(std::FILE* out, const BackwaterRun& run) {
    const BackwaterInput& in = *run.input;
    const BackwaterResult& r = *run.result;
    std::fprintf(out, "hn=%.17g\nhgr=%.17g\nhb=%.17g\nprofile=%s\nkind=%s\nlength=%d\n", r.hn, r.hgr, r.branch.hb,
                 profileTypeName(backwaterProfileType(in, r)), lengthKindName(r.kind), static_cast<int>(r.length));
    BackwaterWarning warnings[MAX_BACKWATER_WARNINGS];
    const int count = backwaterWarnings(in, r, warnings);
    for (int i = 0; i < count; ++i) std::fprintf(out, "warning=%s\n", backwaterWarningText(warnings[i]));
}

MarchStation marchStation(const BackwaterRun& run, int j) {
    const BackwaterInput& in = *run.input;
    const double h = run.march->depth[j];
    // The bed and the water level as the report's profile rows form them,
    // for a spacing of 1 m.
    const double zs = (in.wsp - in.hu) + j * 1.0 * in.Iso;
    const double wsp = zs + h;
    const double A = wettedArea(in.section, h);
    const double v = in.Q / A;
    return {static_cast<double>(j), h, wsp, zs, A, v, wsp + in.beta * velocityHead(v)};
}

namespace {

char* shortest(char* out, char* end, double value) {
    return std::to_chars(out, end, value).ptr;
}

}  // namespace

void writeMarchCsv(std::FILE* out, const BackwaterRun& run) {
    std::fputs("x[m],h[m],wsp[m],zs[m],A[m2],v[m/s],hE[m]\n", out);
    char line[512];
    char* const end = line + sizeof line - 1;
    for (int j = 0; j < FINE_STEP_COUNT; ++j) {
        const MarchStation s = marchStation(run, j);
        char* p = line;
        for (double value : {s.x, s.h, s.wsp, s.zs, s.A, s.v, s.hE}) {
            if (p != line) *p++ = ',';
            p = shortest(p, end, value);
        }
        *p++ = '\n';
        std::fwrite(line, 1, static_cast<std::size_t>(p - line), out);
    }
}
