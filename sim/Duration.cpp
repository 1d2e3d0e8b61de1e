// SPDX-License-Identifier: GPL-3.0-or-later
// The flight duration as a time of day.
#include "sim/Duration.h"

#include <cstdio>

namespace sim {

TimeOfDay DurationOfSteps(std::int32_t StepCount) {
  constexpr std::int32_t Day = 86400;
  std::int32_t seconds = StepCount % Day;
  if (seconds < 0) seconds += Day;  // a point before midnight of day 0 still reads a time of day
  return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

std::string_view FormatDuration24(TimeOfDay time, NumberBuffer& buffer) {
  const int n = std::snprintf(buffer.data(), buffer.size(), "%02d:%02d:%02d", time.Hours,
                              time.Minutes, time.Seconds);
  return {buffer.data(), static_cast<std::size_t>(n)};
}

}  // namespace sim
