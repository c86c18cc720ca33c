// A rating table of uniform flow: the eleven results of Quostel, and the
// depth, for a range of depths, as CSV.
#pragma once

#include <cstdio>

#include "calculator/uniform_flow.h"

constexpr long RATING_TABLE_MAX_ROWS = 100000;

struct DepthRange {
    double from, to, step;  // [m]
    long rows;              // depths from, from + step, ... up to to
};

// Reads "FROM:TO:STEP" (decimal numbers, "." as decimal point) into a range
// of valid depths: 0 < FROM <= TO <= 1000, STEP > 0, at most
// RATING_TABLE_MAX_ROWS rows. False for anything else.
bool parseDepthRange(const char* text, DepthRange& range);

// The header line h,A,U,R,hE,v,Q,hgr,hEm,Fr,k,hp and one row per depth, each
// number in the shortest form that reads back to the same double.
void writeRatingTable(std::FILE* out, const UniformFlowInput& channel, const DepthRange& range);
