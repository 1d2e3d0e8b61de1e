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

}  // namespace sim
