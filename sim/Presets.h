// SPDX-License-Identifier: GPL-3.0-or-later
// The three ready-made orbits, indexed by the preset selector's index (-1: none selected).
#pragma once

#include <array>
#include <cstdint>

namespace sim {

struct Preset {
  const char* EntryText;
  std::int32_t AltitudeKm;
  std::int32_t SpeedKmh;
};

inline constexpr std::array<Preset, 3> Presets{{
    {"IS Station", 404, 27600},
    {"GPS satellite", 20200, 14000},
    {"GEO-S satellite", 35784, 11066},
}};

inline constexpr int NoPreset = -1;
inline constexpr int GpsPreset = 1;

}  // namespace sim
