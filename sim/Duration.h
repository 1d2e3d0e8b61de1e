// SPDX-License-Identifier: GPL-3.0-or-later
// The flight duration: a step count taken as seconds, shown as the time of day it reaches, so a
// flight of a day or more wraps (90000 seconds read 01:00:00).
#pragma once

#include <cstdint>
#include <string_view>

#include "sim/NumberText.h"

namespace sim {

struct TimeOfDay {
  int Hours = 0;
  int Minutes = 0;
  int Seconds = 0;
};

TimeOfDay DurationOfSteps(std::int32_t StepCount);

// "HH:MM:SS", the 24-hour form with leading zeros (the window uses the user's locale instead).
std::string_view FormatDuration24(TimeOfDay time, NumberBuffer& buffer);

}  // namespace sim
