// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit integrator: one simulated second of the flight, in the two halves the run procedure
// calls with the altitude telemetry in between. Inertia iV points straight up the screen; the
// fall speed fV grows by gR / 1000 each second and points towards the Earth centre. Inline: the
// run calls both halves at every step.
#pragma once

#include <cmath>

#include "sim/NumberText.h"
#include "sim/RunState.h"

namespace sim {

// Distance to the centre, the uncorrected altitude hPix and the calibrated altitude hKm. The
// first step of a pass sets AltOffset so that it shows exactly the entered altitude.
inline void MeasureAltitude(RunState& s) {
  s.adjacent_side = s.CentreX - s.xSat;
  s.opposite_side = s.CentreY - s.ySat;
  s.hypotenuse = std::sqrt(s.adjacent_side * s.adjacent_side + s.opposite_side * s.opposite_side);
  s.hPix = s.hypotenuse - s.EarthRadiusPx;
  s.hKm = s.hPix / s.PixelsPerKm;
  // The offset hides that the start point is a whole pixel, up to half a pixel off the circle.
  if (IsAltOffsetSentinel(s.AltOffset)) s.AltOffset = s.alt0 - s.hKm;
  s.hKm = s.hKm + s.AltOffset;
}

// The gravity law alone: g0 / (1 + hPix / EarthRadiusPx)^2, g0 itself near and below the
// surface, 0 beyond the cut-off and wherever the arithmetic fails. Sets AltFactor when computed.
inline double GravityAt(double g0, double hPix, double EarthRadiusPx, double& AltFactor) {
  if (SurfaceShare * EarthRadiusPx > hPix) return g0;
  // Overflow, division by zero or an invalid operation anywhere in here gives no gravity: a
  // radius of 0 (or one whose square is 0) makes the factor infinite or not a number, a factor
  // of 0 the quotient, and both are caught where they arise.
  const double radiusSquared = EarthRadiusPx * EarthRadiusPx;
  const double factor = hPix * hPix / radiusSquared + (2 * hPix / EarthRadiusPx + 1);
  if (!std::isfinite(factor)) return 0;
  AltFactor = factor;
  if (!(GravityCutOff * g0 >= factor)) return 0;
  const double gR = g0 / factor;
  return std::isfinite(gR) ? gR : 0;
}

// Gravity at hPix (with its cut-off and its protection against arithmetic failure), fall
// speed, direction and move. In zero gravity the object keeps the velocity of its last gravity
// step and fV, sine, cosine and VertSpeed stay as they are.
inline void FallAndMove(RunState& s, bool ZeroGravity, double& VertSpeed) {
  if (ZeroGravity) {
    s.gR = 0;
  } else {
    s.gR = GravityAt(s.g0, s.hPix, s.EarthRadiusPx, s.AltFactor);
    if (s.gR > s.g0) s.gR = s.g0;
    s.fV = s.fV + s.gR / 1000;
    s.sine = s.opposite_side / s.hypotenuse;
    s.cosine = s.adjacent_side / s.hypotenuse;
    VertSpeed = s.iV - s.fV * s.sine;
  }
  s.xSat = s.xSat + s.PixelsPerKm * s.fV * s.cosine;
  s.ySat = (s.ySat - s.PixelsPerKm * s.iV) + s.PixelsPerKm * s.fV * s.sine;
}

}  // namespace sim
