// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit integrator: one simulated second of the flight, in the two halves the run procedure
// calls with the altitude telemetry in between. Inertia iV points straight up the screen; the
// fall speed fV grows by gR / 1000 each second and points towards the Earth centre.
#pragma once

#include "sim/RunState.h"

namespace sim {

// Distance to the centre, the uncorrected altitude hPix and the calibrated altitude hKm. The
// first step of a pass sets AltOffset so that it shows exactly the entered altitude.
void MeasureAltitude(RunState& s);

// Gravity at hPix (with its cut-off and its protection against arithmetic failure), fall
// speed, direction and move. In zero gravity the object keeps the velocity of its last gravity
// step and fV, sine, cosine and VertSpeed stay as they are.
void FallAndMove(RunState& s, bool ZeroGravity, double& VertSpeed);

// The gravity law alone: g0 / (1 + hPix / EarthRadiusPx)^2, g0 itself near and below the
// surface, 0 beyond the cut-off and wherever the arithmetic fails. Sets AltFactor when computed.
double GravityAt(double g0, double hPix, double EarthRadiusPx, double& AltFactor);

}  // namespace sim
