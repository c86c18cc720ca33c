// What a computed backwater gives beyond the report, for scripts and
// spreadsheets: the type of the profile, a summary of NAME=VALUE lines and
// the 1 m march as CSV.
#pragma once

#include <cstdio>

#include "backwater/calculate_command.h"
#include "core/profile_type.h"

// The profile type of the computation: hn against hb, the critical depth of
// the energy balance (0 for beta = 0, which leaves every profile mild).
ProfileType backwaterProfileType(const BackwaterInput& in, const BackwaterResult& r);

// "Stauweite", "Senkungsweite" or "Kein".
const char* lengthKindName(LengthKind kind);

// hn, hgr, hb, profile, kind, length and one warning line per warning, as
// NAME=VALUE lines; depths with 17 significant digits.
void writeSummary(std::FILE* out, const BackwaterRun& run);

// The station j of the 1 m march: its distance upstream, depth, water
// level, bed level, area, velocity and energy level (with beta).
struct MarchStation {
    double x, h, wsp, zs, A, v, hE;
};
MarchStation marchStation(const BackwaterRun& run, int j);

// The 1 m march, stations 0 to FINE_STEP_COUNT - 1, as CSV with a header
// line, "," between fields and "." as decimal point, each number in the
// shortest form that reads back to the same double.
void writeMarchCsv(std::FILE* out, const BackwaterRun& run);
