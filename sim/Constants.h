// SPDX-License-Identifier: GPL-3.0-or-later
// The physical and numerical constants of the flight model, in one place.
#pragma once

#include <cstdint>

namespace sim {

inline constexpr std::int32_t EarthRadiusKm = 6371;  // rE
// AltOffset holds this until the first step of a pass calibrates the altitude.
inline constexpr double AltOffsetSentinel = -123.45;
// Gravity weaker than g0 / GravityCutOff counts as none: the object is lost in deep space.
inline constexpr double GravityCutOff = 10000.0;
// Below this share of the Earth radius above the surface, gravity is g0 itself.
inline constexpr double SurfaceShare = 0.01;
// The passes of the fan other than pass 1 pump no events, so nothing can stop them from outside.
// One whose inputs were edited during pass 1 may never meet the stop rule (without speed and
// above its drawn circle it swings along the centre line forever); it ends after this many
// steps (over two simulated days), far more than any pass flown from the inputs its
// view was drawn for (the fan of the GPS orbit flies at most 22203).
inline constexpr std::int32_t SilentPassStepLimit = 200'000;
// A pixel outside any drawing area: the first step of a run always draws.
inline constexpr std::int32_t InitialLastPlotX = -123;
inline constexpr std::int32_t InitialLastPlotY = -1578;

}  // namespace sim
