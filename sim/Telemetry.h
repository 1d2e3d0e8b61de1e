// SPDX-License-Identifier: GPL-3.0-or-later
// Telemetry: what a run writes into the result fields and the table at its four points (entry,
// every step's altitude, every step record of pass 1, the end), and the outcome of pass 1.
#pragma once

#include "sim/RunHost.h"

namespace sim {

// Both altitude fields read "0" at the start of every call.
void TelemetryRunEntry(RunHost& host);

// The current altitude in whole kilometres, compared with the maximum read back from its field:
// lime at or above it (and the maximum follows), red below it.
void TelemetryAltitudeUpdate(RunHost& host, double hKm);

// The outcome (when this step has ended the run), the table row and the duration of a step of
// pass 1. Returns false for the lost outcome, which ends the pass without a row.
bool TelemetryStepRecord(RunHost& host, const RunState& s, bool Running, bool ZeroGravity);

// The table shown with its last row current, the final duration, the presets enabled, the run
// buttons idle and the altitude field white again.
void TelemetryRunEnd(RunHost& host, const RunState& s);

}  // namespace sim
