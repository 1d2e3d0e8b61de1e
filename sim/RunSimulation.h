// SPDX-License-Identifier: GPL-3.0-or-later
// The run procedure behind Start, the presets, the zoom buttons and the Enter key. Called with
// Running clear it makes a static redraw; with Running set it flies one pass, or the fan of
// eight passes, each a loop of one-second steps until the stop rule clears Running. It keeps the
// window alive by pumping events after every tenth step of pass 1 and while paused.
#pragma once

#include "sim/RunHost.h"

namespace sim {

// Inputs for which no flight can be defined end the call before the view is computed, leaving
// the window idle as after a run.
enum class RunInputs {
  Flown,                // a static redraw or a flight took place
  AltitudeTooLow,       // at or below -6371 km: the reference circle has no radius
  NoDrawingArea,        // the drawing area has no width or no height
  NotAWholeNumber,      // the rounded speed or altitude does not fit in 64 bits
  OrbitRadiusTooLarge,  // rE + alt0 is beyond the 32-bit range
};

// The window's RunSimulation, every hand-over through the interface; the result tells the
// headless tool why nothing flew. sim/RunProcedure.h holds the procedure as a template over the
// host, for hosts whose hand-overs are better resolved at compile time.
RunInputs RunSimulation(RunHost& host);

}  // namespace sim
