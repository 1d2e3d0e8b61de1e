// SPDX-License-Identifier: GPL-3.0-or-later
// What the run procedure needs of the window: the texts and sizes it reads, the fields it
// writes, and the hand-overs to drawing, telemetry and the run buttons at fixed points of the
// run. The window implements it; the headless flight tool, the tests and the benchmarks
// implement it without any window. The flight itself depends on none of the hand-overs.
#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>

#include "base/Colours.h"
#include "sim/RunState.h"

namespace sim {

struct AreaSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The run reads the fields back as text at every step. A host may also count the code from
// outside that it runs inside the run (callbacks, event handlers), in a member
// `std::uint64_t ForeignCodeRuns() const`; it then promises that its fields hold exactly the
// text last given to them for as long as that count stays. A run made for such a host
// (sim/RunProcedure.h) reads a field again only after the count has moved, and knows what the
// field it has just written reads as. Through the interface every field is read back.
class RunHost {
 public:
  virtual ~RunHost() = default;

  // The inputs. The views stay valid until the host's text changes.
  virtual std::string_view SpeedText() = 0;    // eSpeed, km/h
  virtual std::string_view AltText() = 0;      // eAlt, km
  virtual std::string_view GravityText() = 0;  // eGravConst, m/s^2
  virtual void SetSpeedText(std::string_view text) = 0;
  virtual void SetAltText(std::string_view text) = 0;
  virtual int PresetIndex() = 0;  // -1 none, 0 IS Station, 1 GPS satellite, 2 GEO-S satellite
  virtual void SetPresetsEnabled(bool enabled) = 0;
  virtual bool IsShiftDown() = 0;
  virtual AreaSize DrawingAreaSize() = 0;  // after ResetScene has sized the drawing area
  virtual AreaSize ClientSize() = 0;       // the window's client area (the zero-gravity bound)

  // The result fields: the current altitude or outcome, its colour code, the maximum (which
  // exists only as this text) and the duration.
  virtual void SetAltitudeText(std::string_view text) = 0;
  virtual std::string_view AltitudeText() = 0;
  virtual void SetAltitudeColour(base::Colour colour) = 0;
  virtual void SetMaxAltText(std::string_view text) = 0;
  virtual std::string_view MaxAltText() = 0;
  virtual void SetDuration(std::int32_t StepCount) = 0;

  // The table: hidden while a pass animates, shown with its last row current at the end.
  virtual void InitGrid() = 0;
  virtual void SetGridVisible(bool visible) = 0;
  virtual void SelectLastGridRow() = 0;
  // The row of step s.StepCount: the row count becomes StepCount + 2 and the row holds the
  // time, hKm, gR and fV (the position after the step is there for the headless tool).
  virtual void WriteStepRow(const RunState& s) = 0;
  virtual void ShowLostMessage() = 0;  // modal: returns when the user has closed it

  // The drawing.
  virtual void ResetScene() = 0;
  virtual void DrawBackground(const RunState& s, bool Running) = 0;
  virtual void PlotPoint(RunState& s) = 0;  // updates LastPlotX / LastPlotY
  virtual void UpdateVectorGauges(const RunState& s, double VertSpeed) = 0;
  virtual void DrawVectorLines(const RunState& s) = 0;

  // The run buttons and the event services.
  virtual void EnableRunButtons(bool Active) = 0;
  virtual void PumpEvents() = 0;
  virtual void SleepMs(int milliseconds) = 0;
};

// A host that counts the code from outside it runs inside the run (see RunHost).
template <class Host>
concept CountsForeignCode = requires(const Host& host) {
  { host.ForeignCodeRuns() } -> std::same_as<std::uint64_t>;
};

}  // namespace sim
