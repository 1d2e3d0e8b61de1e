// SPDX-License-Identifier: GPL-3.0-or-later
// The trajectory pixels: one pixel per step, white for pass 1 and red for the other passes of a
// fan, with the point-mirrored trajectory of a second satellite in yellow for the satellite presets.
#pragma once

#include <cstdint>

#include "scene/Canvas.h"
#include "sim/Constants.h"

namespace scene {

// The last plotted pixel at the start of every call of the run procedure: outside any drawing
// area, so that the first step always draws.
using sim::InitialLastPlotX;
using sim::InitialLastPlotY;

// Sets the pixel of (xSat, ySat) unless it is the one set last, and updates the last plotted
// pixel, also when that pixel lies outside the surface.
void PlotPoint(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY, std::int32_t PassIndex,
               double xSat, double ySat, int PresetIndex, std::int32_t& LastPlotX,
               std::int32_t& LastPlotY);

}  // namespace scene
