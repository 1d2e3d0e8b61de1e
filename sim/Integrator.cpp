// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit integrator.
#include "sim/Integrator.h"

#include <cmath>

#include "sim/NumberText.h"

namespace sim {

void MeasureAltitude(RunState& s) {
  s.adjacent_side = s.CentreX - s.xSat;
  s.opposite_side = s.CentreY - s.ySat;
  s.hypotenuse = std::sqrt(s.adjacent_side * s.adjacent_side + s.opposite_side * s.opposite_side);
  s.hPix = s.hypotenuse - s.EarthRadiusPx;
  s.hKm = s.hPix / s.PixelsPerKm;
  // The offset hides that the start point is a whole pixel, up to half a pixel off the circle.
  if (IsAltOffsetSentinel(s.AltOffset)) s.AltOffset = s.alt0 - s.hKm;
  s.hKm = s.hKm + s.AltOffset;
}

double GravityAt(double g0, double hPix, double EarthRadiusPx, double& AltFactor) {
  if (SurfaceShare * EarthRadiusPx > hPix) return g0;
  // Overflow, division by zero or an invalid operation anywhere in here gives no gravity.
  const double radiusSquared = EarthRadiusPx * EarthRadiusPx;
  if (radiusSquared == 0 || EarthRadiusPx == 0) return 0;
  const double factor = hPix * hPix / radiusSquared + (2 * hPix / EarthRadiusPx + 1);
  if (!std::isfinite(factor)) return 0;
  AltFactor = factor;
  if (!(GravityCutOff * g0 >= factor)) return 0;
  if (factor == 0) return 0;
  const double gR = g0 / factor;
  return std::isfinite(gR) ? gR : 0;
}

void FallAndMove(RunState& s, bool ZeroGravity, double& VertSpeed) {
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
