// SPDX-License-Identifier: GPL-3.0-or-later
// The unit-level variables of KVUGraphiques: the only channel between the button handlers and
// a run in progress, because a run is one long loop on the user-interface thread that lets the
// handlers run inside its event pumps. Plain variables, no locks: everything runs on one thread.
#pragma once

namespace KVUGraphiques {

inline bool Running = false;      // a run is animating; the step loop goes on while it is set
inline bool Paused = false;       // the active run waits at the top of its current step
inline bool ZeroGravity = false;  // gravity is off for the rest of the current pass
inline double ZoomFactor = 1.0;   // divisor of the view scale; only the zoom buttons step it
inline double VertSpeed = 0.0;    // km/s, iV - fV * sine of the last gravity step (up is positive)

// Back to the values of program start (for tests and the headless tool).
inline void ResetUnitState() {
  Running = false;
  Paused = false;
  ZeroGravity = false;
  ZoomFactor = 1.0;
  VertSpeed = 0.0;
}

}  // namespace KVUGraphiques
