// A longitudinal section of a computed backwater as an SVG picture: the bed,
// the water surface of the 1 m march, the normal-depth and critical-depth
// lines, the control profile and the point where the depth enters the 1 %
// band, with axes in metres and a title naming the profile type and the
// length.
#pragma once

#include <cstdio>

#include "backwater/calculate_command.h"

void writeProfileSvg(std::FILE* out, const BackwaterRun& run);

// The plot box of the picture, in its own pixel coordinates: every line of
// the section lies inside it.
constexpr double SVG_WIDTH = 900, SVG_HEIGHT = 560;
constexpr double PLOT_LEFT = 90, PLOT_RIGHT = 860, PLOT_TOP = 70, PLOT_BOTTOM = 460;
