// SPDX-License-Identifier: GPL-3.0-or-later
// RunState: everything one call of the run procedure needs, created when the call starts, filled
// by the view geometry, reset at every pass start and advanced by the integrator. Lengths are in
// pixels (px) or kilometres (km), speeds in km/s, accelerations in m/s^2; a step is one second.
#pragma once

#include <cstdint>

#include "base/PlotSentinels.h"
#include "scene/ViewGeometry.h"
#include "sim/Constants.h"

namespace sim {

struct RunState {
  std::int32_t alt0 = 0;           // km, the altitude field as an integer, read at every pass start
  std::int32_t rE = 0;             // km, the Earth radius
  std::int32_t OrbitRadiusKm = 0;  // km, rE + alt0 at entry

  double PixelsPerKm = 0;    // px/km
  double EarthRadiusPx = 0;  // px, rE * PixelsPerKm
  double OrbitRadiusPx = 0;  // px, OrbitRadiusKm * PixelsPerKm
  std::int32_t CentreX = 0;  // px, the Earth centre in the drawing area
  std::int32_t CentreY = 0;

  std::int32_t FirstPass = 1;  // 1 and 1, or -3 and 4 for the fan of passes
  std::int32_t LastPass = 1;
  std::int32_t PassIndex = 0;
  double PassSpeed = 0;  // km/h, the entered speed scaled for the pass

  double iV = 0;    // km/s, straight up the screen, constant during a pass
  double fV = 0;    // km/s, towards the Earth centre, grows by gR / 1000 a second
  double xSat = 0;  // px, position of the object
  double ySat = 0;
  double sine = 0;  // direction towards the Earth centre, from the last gravity step
  double cosine = 0;

  std::int32_t StepCount = 0;  // steps of the pass (simulated seconds); pass 1 advances it
  double AltOffset = 0;        // km, calibration of the altitude; the sentinel until calibrated
  double g0 = 0;               // m/s^2, surface gravity of this step (0 in zero gravity)

  double adjacent_side = 0;  // px, CentreX - xSat at the start of the step
  double opposite_side = 0;  // px, CentreY - ySat
  double hypotenuse = 0;     // px, their Euclidean length
  double hPix = 0;           // px, hypotenuse - EarthRadiusPx (uncorrected altitude)
  double hKm = 0;            // km, calibrated altitude
  double AltFactor = 0;      // (1 + hPix / EarthRadiusPx)^2
  double gR = 0;             // m/s^2, gravity at the object's altitude

  std::int32_t LastPlotX = base::InitialLastPlotX;  // px, the pixel set last; kept across passes
  std::int32_t LastPlotY = base::InitialLastPlotY;
};

// The view's scale, radii and centre, as the run keeps them for the whole call.
inline void ApplyView(RunState& s, const scene::ViewGeometry& view) {
  s.PixelsPerKm = view.PixelsPerKm;
  s.EarthRadiusPx = view.EarthRadiusPx;
  s.OrbitRadiusPx = view.OrbitRadiusPx;
  s.CentreX = view.CentreX;
  s.CentreY = view.CentreY;
}

// The object at the leftmost point of the reference circle, where every pass starts.
inline void PlaceAtStart(RunState& s) {
  const scene::StartPoint start = scene::PassStartPoint(s.CentreX, s.CentreY, s.OrbitRadiusPx);
  s.xSat = start.xSat;
  s.ySat = start.ySat;
}

}  // namespace sim
