// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom divisor's step: x1.2 out, /1.2 in, each refused once the factor has passed its bound
// (the bound is tested before the step, so one step may carry the factor across it).
#pragma once

namespace sim {

inline constexpr double ZoomStep = 1.2;
inline constexpr double ZoomOutBound = 5.0;
inline constexpr double ZoomInBound = 0.2;

// The factor after one click of '-' (zoom out) or '+' (zoom in); any other character keeps it.
inline double SteppedZoom(double ZoomFactor, char16_t Direction) {
  if (Direction == u'-' && ZoomFactor < ZoomOutBound) return ZoomFactor * ZoomStep;
  if (Direction == u'+' && ZoomFactor > ZoomInBound) return ZoomFactor / ZoomStep;
  return ZoomFactor;
}

}  // namespace sim
