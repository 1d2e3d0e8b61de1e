// SPDX-License-Identifier: GPL-3.0-or-later
// The trajectory pixels: one pixel per step, white for pass 1 and red for the other passes of a
// fan, with the point-mirrored trajectory of a second satellite in yellow for the satellite
// presets.
#pragma once

#include <cstdint>

#include "scene/Canvas.h"

namespace scene {

// Sets the pixel of (xSat, ySat) unless it is the one set last, and updates the last plotted
// pixel, also when that pixel lies outside the surface.
void PlotPoint(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY, std::int32_t PassIndex,
               double xSat, double ySat, int PresetIndex, std::int32_t& LastPlotX,
               std::int32_t& LastPlotY);

}  // namespace scene
