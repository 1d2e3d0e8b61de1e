// SPDX-License-Identifier: GPL-3.0-or-later
// View geometry: the mapping of kilometres around the Earth centre onto the pixels of the
// drawing area, chosen afresh for every run so that the reference circle fills 45 % of the
// area's smaller side (divided by the zoom factor), and the start point of every pass.
#pragma once

#include <cstdint>

namespace scene {

struct ViewGeometry {
  double PixelsPerKm = 0;
  double EarthRadiusPx = 0;
  double OrbitRadiusPx = 0;
  std::int32_t CentreX = 0;
  std::int32_t CentreY = 0;
};

struct StartPoint {
  double xSat = 0;  // whole numbers, held as doubles
  double ySat = 0;
};

// W and H are the drawing area's size in pixels; rE and OrbitRadiusKm in km.
ViewGeometry ComputeViewGeometry(std::int32_t W, std::int32_t H, std::int32_t rE,
                                 std::int32_t OrbitRadiusKm, double ZoomFactor);

// The leftmost point of the reference circle, on the horizontal through the Earth centre.
StartPoint PassStartPoint(std::int32_t CentreX, std::int32_t CentreY, double OrbitRadiusPx);

}  // namespace scene
