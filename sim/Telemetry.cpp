// SPDX-License-Identifier: GPL-3.0-or-later
// Telemetry of a run at its entry and its end; the points of every step are in the header.
#include "sim/Telemetry.h"

#include "base/Colours.h"

namespace sim {

void TelemetryRunEntry(RunHost& host) {
  host.SetMaxAltText("0");
  host.SetAltitudeText("0");
}

void TelemetryRunEnd(RunHost& host, const RunState& s) {
  host.SetGridVisible(true);
  host.SelectLastGridRow();
  host.SetDuration(s.StepCount);
  host.SetPresetsEnabled(true);
  host.EnableRunButtons(false);
  host.SetAltitudeColour(base::colours::White);
}

}  // namespace sim
