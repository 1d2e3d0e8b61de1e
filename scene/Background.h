// SPDX-License-Identifier: GPL-3.0-or-later
// The static scene drawn once per call of the run procedure: the legend in the top-left corner,
// the grey reference circle at the initial altitude and the Earth disc.
#pragma once

#include <cstdint>

#include "scene/Canvas.h"

namespace scene {

// Draws the legend rows, the reference circle and the Earth on a surface already cleared to
// black. The rows that explain the trajectory colours appear only while `Running`; their labels
// follow the selected preset (-1 for none).
void DrawBackground(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY,
                    double OrbitRadiusPx, double EarthRadiusPx, bool Running, int PresetIndex);

}  // namespace scene
