#include "calculator/rating_table.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

// One decimal number filling [begin, end) exactly.
bool parseNumber(const char* begin, const char* end, double& value) {
    if (begin == end) return false;
    const std::from_chars_result r = std::from_chars(begin, end, value, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(value);
}

}  // namespace

bool parseDepthRange(const char* text, DepthRange& range) {
    const char* firstColon = std::strchr(text, ':');
    if (firstColon == nullptr) return false;
    const char* secondColon = std::strchr(firstColon + 1, ':');
    if (secondColon == nullptr) return false;
    const char* end = text + std::strlen(text);
    if (!parseNumber(text, firstColon, range.from) || !parseNumber(firstColon + 1, secondColon, range.to) ||
        !parseNumber(secondColon + 1, end, range.step)) {
        return false;
    }
    if (!(range.from > 0.0 && range.from <= range.to && range.to <= 1000.0 && range.step > 0.0)) return false;
    // A depth that lands on TO up to the rounding of the steps counts.
    const double steps = std::floor((range.to - range.from) / range.step * (1.0 + 1e-12));
    if (!(steps < RATING_TABLE_MAX_ROWS)) return false;
    range.rows = static_cast<long>(steps) + 1;
    return true;
}

void writeRatingTable(std::FILE* out, const UniformFlowInput& channel, const DepthRange& range) {
    std::fputs("h,A,U,R,hE,v,Q,hgr,hEm,Fr,k,hp\n", out);
    char line[640];
    char* const end = line + sizeof line - 1;
    UniformFlowInput in = channel;
    for (long i = 0; i < range.rows; ++i) {
        in.h = range.from + static_cast<double>(i) * range.step;
        if (in.h > range.to) in.h = range.to;
        const UniformFlowResult r = computeUniformFlow(in);
        char* p = line;
        for (double value : {in.h, r.A, r.U, r.R, r.hE, r.v, r.Q, r.hgr, r.hEm, r.Fr, r.k, r.hp}) {
            if (p != line) *p++ = ',';
            p = std::to_chars(p, end, value).ptr;
        }
        *p++ = '\n';
        std::fwrite(line, 1, static_cast<std::size_t>(p - line), out);
    }
}
