// SPDX-License-Identifier: GPL-3.0-or-later
// Where the last plotted pixel stands when a call of the run procedure starts: outside any
// drawing area, so that the first step of a run always draws.
#pragma once

#include <cstdint>

namespace base {

inline constexpr std::int32_t InitialLastPlotX = -123;
inline constexpr std::int32_t InitialLastPlotY = -1578;

}  // namespace base
