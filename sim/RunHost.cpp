// SPDX-License-Identifier: GPL-3.0-or-later
// The run procedure over the RunHost interface: the window flies through it, every hand-over a
// call through the interface.
#include "sim/RunProcedure.h"

namespace sim {

RunInputs RunSimulation(RunHost& host) { return RunSimulation<RunHost>(host); }

}  // namespace sim
