// SPDX-License-Identifier: GPL-3.0-or-later
// Telemetry of a run: the altitude fields, the outcome words, the table rows and the duration.
#include "sim/Telemetry.h"

#include "scene/Colours.h"
#include "sim/NumberText.h"
#include "sim/RoundEven.h"

namespace sim {

void TelemetryRunEntry(RunHost& host) {
  host.SetMaxAltText("0");
  host.SetAltitudeText("0");
}

void TelemetryAltitudeUpdate(RunHost& host, double hKm) {
  NumberBuffer buffer;
  const auto whole = ToWholeNumber(RoundEven(hKm));
  const std::string_view text = whole ? FormatInteger(*whole, buffer) : FormatWhole(hKm, buffer);
  host.SetAltitudeText(text);
  // The maximum lives only in its field's text: read both back as the window shows them.
  const std::int32_t max = ReadInt32(host.MaxAltText()).value_or(0);
  const std::int32_t cur = ReadInt32(host.AltitudeText()).value_or(1);
  if (max > cur) {
    host.SetAltitudeColour(scene::colours::Red);
  } else {
    host.SetMaxAltText(text);
    host.SetAltitudeColour(scene::colours::Lime);
  }
}

bool TelemetryStepRecord(RunHost& host, const RunState& s, bool Running, bool ZeroGravity) {
  if (!Running) {
    if (s.gR == 0 && !ZeroGravity) {
      host.ShowLostMessage();
      host.SetAltitudeText("Lost");
      return false;
    }
    host.SetAltitudeText(ZeroGravity ? "Out of view" : "Crashed");
  }
  host.WriteStepRow(s);
  host.SetDuration(s.StepCount);
  return true;
}

void TelemetryRunEnd(RunHost& host, const RunState& s) {
  host.SetGridVisible(true);
  host.SelectLastGridRow();
  host.SetDuration(s.StepCount);
  host.SetPresetsEnabled(true);
  host.EnableRunButtons(false);
  host.SetAltitudeColour(scene::colours::White);
}

}  // namespace sim
