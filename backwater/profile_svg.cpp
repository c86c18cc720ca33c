#include "backwater/profile_svg.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "backwater/backwater_outputs.h"

namespace {

// The smallest of 1, 2, 5 times a power of ten that is at least `value`.
double niceCeil(double value) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * decade >= value) return m * decade;
    }
    return 10.0 * decade;
}

// A tick spacing of 1, 2 or 5 times a power of ten giving about `count` ticks.
double tickStep(double span, int count) {
    return niceCeil(span / count);
}

struct Scale {
    double lo, hi;        // data range
    double pixelLo, pixelHi;
    double operator()(double value) const { return pixelLo + (value - lo) / (hi - lo) * (pixelHi - pixelLo); }
};

// The shortest decimal text of a tick value, without noise from the step
// arithmetic.
void tickLabel(double value, double step, char (&text)[32]) {
    if (std::fabs(value) < 0.5 * step * 1e-6) value = 0.0;
    if (std::fabs(value) >= 1e7 || step < 1e-6) {
        std::snprintf(text, sizeof text, "%.6g", value);  // far beyond what a channel has: short, if not round
        return;
    }
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
}

class Picture {
public:
    explicit Picture(std::FILE* out) : out_(out) {}

    void line(double x1, double y1, double x2, double y2, const char* style) {
        std::fprintf(out_, "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" style=\"%s\"/>\n", x1, y1, x2, y2,
                     style);
    }

    void text(double x, double y, const char* anchor, const char* style, const char* content,
              const char* name = nullptr) {
        std::fprintf(out_, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"%s\" style=\"%s\"", x, y, anchor, style);
        if (name != nullptr) std::fprintf(out_, " class=\"%s\"", name);
        std::fprintf(out_, ">%s</text>\n", content);
    }

    void beginPolyline(const char* name, const char* style) {
        std::fprintf(out_, "<polyline class=\"%s\" style=\"fill:none;%s\" points=\"", name, style);
        first_ = true;
    }
    void point(double x, double y) {
        std::fprintf(out_, first_ ? "%.2f,%.2f" : " %.2f,%.2f", x, y);
        first_ = false;
    }
    void endPolyline() { std::fputs("\"/>\n", out_); }

private:
    std::FILE* out_;
    bool first_ = true;
};

constexpr const char* LABEL = "font-family:sans-serif;font-size:13px;fill:#222";
constexpr const char* SMALL = "font-family:sans-serif;font-size:11px;fill:#333";

}  // namespace

void writeProfileSvg(std::FILE* out, const BackwaterRun& run) {
    const BackwaterInput& in = *run.input;
    const BackwaterResult& r = *run.result;
    const int lastStation = FINE_STEP_COUNT - 1;

    // Horizontal range: a little past the length, or the whole march.
    int xEndStation = lastStation;
    if (r.length < lastStation) {
        const double wanted = niceCeil(r.length * 1.15 + 20.0);
        xEndStation = wanted < lastStation ? static_cast<int>(wanted) : lastStation;
    }
    const double bed0 = in.wsp - in.hu;
    auto bedAt = [&](double x) { return bed0 + x * in.Iso; };

    // Vertical range: every line over the horizontal range, finite values only.
    double yLo = INFINITY, yHi = -INFINITY;
    auto cover = [&](double y) {
        if (std::isfinite(y)) {
            yLo = y < yLo ? y : yLo;
            yHi = y > yHi ? y : yHi;
        }
    };
    for (double x : {0.0, static_cast<double>(xEndStation)}) {
        cover(bedAt(x));
        cover(bedAt(x) + r.hn);
        cover(bedAt(x) + r.hgr);
    }
    for (int j = 0; j <= xEndStation; ++j) cover(marchStation(run, j).wsp);
    double yStep = 0.0;
    if (yHi > yLo && std::isfinite(yHi - yLo)) {
        yStep = tickStep(yHi - yLo, 6);
        yLo = std::floor(yLo / yStep) * yStep;
        yHi = std::ceil(yHi / yStep) * yStep;
        if (yHi - yLo < yStep * 2) yHi = yLo + 2 * yStep;
    }
    // Levels so large that a metre no longer shows in a double, or no finite
    // level at all: a plain range of 0 to 1 keeps the picture drawable.
    if (!(yStep > 0.0 && std::isfinite(yLo) && std::isfinite(yHi) && yLo + yStep > yLo)) {
        yLo = 0.0;
        yHi = 1.0;
        yStep = 0.2;
    }
    const double xStep = tickStep(xEndStation, 8);

    const Scale X{0.0, static_cast<double>(xEndStation), PLOT_LEFT, PLOT_RIGHT};
    const Scale Y{yLo, yHi, PLOT_BOTTOM, PLOT_TOP};

    std::fprintf(out,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" viewBox=\"0 0 %g %g\">\n"
                 "<rect width=\"100%%\" height=\"100%%\" style=\"fill:white\"/>\n",
                 SVG_WIDTH, SVG_HEIGHT, SVG_WIDTH, SVG_HEIGHT);
    Picture p(out);

    char title[160];
    if (r.kind == LengthKind::None) {
        std::snprintf(title, sizeof title, "Profiltyp %s: kein Rueckstau bzw. Senkung",
                      profileTypeName(backwaterProfileType(in, r)));
    } else {
        std::snprintf(title, sizeof title, "Profiltyp %s: %s %d m%s", profileTypeName(backwaterProfileType(in, r)),
                      lengthKindName(r.kind), static_cast<int>(r.length),
                      r.length == lastStation ? " (und mehr)" : "");
    }
    p.text(SVG_WIDTH / 2, 30, "middle", "font-family:sans-serif;font-size:17px;font-weight:bold;fill:#111", title);
    // Where the length means little, the picture says so under its title.
    BackwaterWarning warnings[MAX_BACKWATER_WARNINGS];
    if (backwaterWarnings(in, r, warnings) > 0) {
        p.text(SVG_WIDTH / 2, 52, "middle", "font-family:sans-serif;font-size:12px;fill:#b03a2e",
               backwaterWarningText(warnings[0]));
    }

    // Grid, ticks and axes.
    char label[32];
    for (int i = 0; i <= 20 && i * xStep <= xEndStation + 1e-9; ++i) {
        const double x = i * xStep;
        p.line(X(x), PLOT_TOP, X(x), PLOT_BOTTOM, "stroke:#e3e3e3;stroke-width:1");
        tickLabel(x, xStep, label);
        p.text(X(x), PLOT_BOTTOM + 18, "middle", SMALL, label, "tick-x");
    }
    for (int i = 0; i <= 20 && yLo + i * yStep <= yHi + yStep * 1e-9; ++i) {
        const double y = yLo + i * yStep;
        p.line(PLOT_LEFT, Y(y), PLOT_RIGHT, Y(y), "stroke:#e3e3e3;stroke-width:1");
        tickLabel(y, yStep, label);
        p.text(PLOT_LEFT - 8, Y(y) + 4, "end", SMALL, label, "tick-y");
    }
    std::fprintf(out, "<rect id=\"plot\" x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" style=\"fill:none;stroke:#444\"/>\n",
                 PLOT_LEFT, PLOT_TOP, PLOT_RIGHT - PLOT_LEFT, PLOT_BOTTOM - PLOT_TOP);
    p.text((PLOT_LEFT + PLOT_RIGHT) / 2, PLOT_BOTTOM + 42, "middle", LABEL, "Entfernung oberstrom [m]");
    std::fprintf(out, "<text x=\"24\" y=\"%.2f\" text-anchor=\"middle\" transform=\"rotate(-90 24 %.2f)\" style=\"%s\">"
                      "Hoehe [m]</text>\n",
                 (PLOT_TOP + PLOT_BOTTOM) / 2, (PLOT_TOP + PLOT_BOTTOM) / 2, LABEL);

    // The lines, clipped to the plot box.
    const double xEnd = xEndStation;
    // Into the plot box; a NaN, from inputs at the limits of a double, to its bottom.
    auto clampY = [&](double y) { return !(y <= PLOT_BOTTOM) ? PLOT_BOTTOM : y < PLOT_TOP ? PLOT_TOP : y; };
    auto straight = [&](const char* name, double offset, const char* style) {
        if (!std::isfinite(offset)) return;
        p.beginPolyline(name, style);
        p.point(X(0.0), clampY(Y(bedAt(0.0) + offset)));
        p.point(X(xEnd), clampY(Y(bedAt(xEnd) + offset)));
        p.endPolyline();
    };
    straight("bed", 0.0, "stroke:#8b5a2b;stroke-width:2.5");
    straight("normal", r.hn, "stroke:#2e8b57;stroke-width:1.5;stroke-dasharray:8 5");
    straight("critical", r.hgr, "stroke:#c0392b;stroke-width:1.5;stroke-dasharray:3 4");
    const int every = xEndStation / 1500 + 1;
    p.beginPolyline("water", "stroke:#1f5fbf;stroke-width:2.5");
    for (int j = 0; j <= xEndStation; j += every) {
        const double y = marchStation(run, j).wsp;
        if (std::isfinite(y)) p.point(X(j), clampY(Y(y)));
    }
    p.endPolyline();

    // The legend, below the axis name.
    const struct {
        const char* name;
        const char* style;
    } legend[] = {
        {"Sohle", "stroke:#8b5a2b;stroke-width:2.5"},
        {"Wasserspiegel", "stroke:#1f5fbf;stroke-width:2.5"},
        {"Normalwasserspiegel (hn)", "stroke:#2e8b57;stroke-width:1.5;stroke-dasharray:8 5"},
        {"Grenztiefe (hgr)", "stroke:#c0392b;stroke-width:1.5;stroke-dasharray:3 4"},
    };
    double legendX = PLOT_LEFT;
    const double legendY = SVG_HEIGHT - 22;
    for (const auto& entry : legend) {
        p.line(legendX, legendY - 4, legendX + 28, legendY - 4, entry.style);
        p.text(legendX + 34, legendY, "start", SMALL, entry.name);
        legendX += 58 + 6.2 * static_cast<double>(std::strlen(entry.name));
    }

    // The control profile and the end of the length.
    p.line(X(0.0), clampY(Y(bed0)), X(0.0), clampY(Y(in.wsp)), "stroke:#111;stroke-width:3");
    p.text(X(0.0) + 6, clampY(Y(in.wsp)) - 8, "start", SMALL, "Kontrollprofil");
    const double yBand = marchStation(run, r.length).wsp;
    if (r.kind != LengthKind::None && std::isfinite(yBand)) {
        const double y = clampY(Y(yBand));
        std::fprintf(out, "<circle class=\"band\" cx=\"%.2f\" cy=\"%.2f\" r=\"5\" style=\"fill:#1f5fbf\"/>\n",
                     X(r.length), y);
        std::snprintf(label, sizeof label, "%s %d m", lengthKindName(r.kind), static_cast<int>(r.length));
        const bool right = X(r.length) < (PLOT_LEFT + PLOT_RIGHT) / 2;
        p.text(X(r.length) + (right ? 9 : -9), y - 10, right ? "start" : "end", LABEL, label);
    }
    std::fputs("</svg>\n", out);
}
