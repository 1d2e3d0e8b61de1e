// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes headless flights: arbitrary field texts, drawing-area and window sizes, zoom steps,
// preset and Shift, and run-control actions (Stop, Pause and Start, g=0, typing) at the pumps.
// A step bound stops long flights. Every run must end with Running clear and the window idle.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "sim/Zoom.h"
#include "tools/HeadlessHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  KVUGraphiques::ResetUnitState();
  const int zoomSteps = in.ConsumeIntegralInRange(-12, 12);
  for (int i = 0; i < std::abs(zoomSteps); ++i)
    KVUGraphiques::ZoomFactor =
        sim::SteppedZoom(KVUGraphiques::ZoomFactor, zoomSteps > 0 ? u'-' : u'+');
  const sim::AreaSize area{in.ConsumeIntegralInRange(-10, 5000),
                           in.ConsumeIntegralInRange(-10, 5000)};
  tools::HeadlessHost host(in.ConsumeRandomLengthString(24), in.ConsumeRandomLengthString(24),
                           area);
  if (in.ConsumeBool()) host.Gravity = in.ConsumeRandomLengthString(12);
  host.Client = {in.ConsumeIntegralInRange(-10, 6000), in.ConsumeIntegralInRange(-10, 6000)};
  host.Preset = in.ConsumeIntegralInRange(-1, 2);
  host.ShiftDown = in.ConsumeBool();
  KVUGraphiques::Running = in.ConsumeBool();  // Start, or a static redraw

  // Actions at pumps, chosen up front; the bound stops the flight after 300 pumps.
  const int actionPump = in.ConsumeIntegralInRange(1, 300);
  const int action = in.ConsumeIntegralInRange(0, 4);
  const std::string typed = in.ConsumeRandomLengthString(16);
  host.OnPump = [&] {
    if (host.Pumps == actionPump) {
      switch (action) {
        case 0:
          KVUGraphiques::Running = false;
          KVUGraphiques::Paused = false;
          break;                                           // Stop
        case 1: KVUGraphiques::ZeroGravity = true; break;  // g=0
        case 2: KVUGraphiques::Paused = true; break;       // Pause
        case 3: host.Alt = typed; break;                   // typing
        default: host.Speed = typed; break;
      }
    }
    if (KVUGraphiques::Paused && host.Pumps > actionPump + 2) KVUGraphiques::Paused = false;
    if (host.Pumps > 300) KVUGraphiques::Running = false;
  };
  tools::RunSimulation(host);
  if (KVUGraphiques::Running || host.RunButtonsActive || !host.PresetsEnabled) std::abort();
  return 0;
}
