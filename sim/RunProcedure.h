// SPDX-License-Identifier: GPL-3.0-or-later
// The run procedure: entry, inputs, view and background, the passes and their steps, the stop
// rule, the pause wait and the end of the run. A template over the host: over sim::RunHost every
// hand-over goes through the interface (the window's way); over a final host class the compiler
// resolves them, and inlines those that do nothing, with no change to what the run does.
#pragma once

#include "sim/RunSimulation.h"

#include <limits>

#include "base/RoundEven.h"
#include "scene/ViewGeometry.h"
#include "sim/Integrator.h"
#include "sim/NumberText.h"
#include "sim/Presets.h"
#include "sim/Telemetry.h"
#include "sim/UnitState.h"

namespace sim {
namespace detail {

using namespace KVUGraphiques;

// The gravity text is taken afresh at every step; parsing the same characters again would give
// the same number, so the last text and its value are kept.
using GravityReader = RememberedNumber<double, ReadFloat>;

// A speed or altitude text rounded to a whole number and written back as plain integer text.
// Nothing is written when the rounded value does not fit in 64 bits.
inline bool NormaliseInput(std::string_view text, void (RunHost::*write)(std::string_view),
                           RunHost& host) {
  const auto whole = ToWholeNumber(base::RoundEven(ParseFloat(text)));
  if (!whole) return false;
  NumberBuffer buffer;
  (host.*write)(FormatInteger(*whole, buffer));
  return true;
}

inline RunInputs ReadInputs(RunHost& host, RunState& s) {
  const bool speedFits = NormaliseInput(host.SpeedText(), &RunHost::SetSpeedText, host);
  const bool altFits = NormaliseInput(host.AltText(), &RunHost::SetAltText, host);
  if (!speedFits || !altFits) return RunInputs::NotAWholeNumber;
  s.alt0 = ParseInt32(host.AltText());
  s.rE = EarthRadiusKm;
  const std::int64_t orbit = std::int64_t{s.rE} + s.alt0;
  if (orbit <= 0) return RunInputs::AltitudeTooLow;
  if (orbit > std::numeric_limits<std::int32_t>::max()) return RunInputs::OrbitRadiusTooLarge;
  s.OrbitRadiusKm = static_cast<std::int32_t>(orbit);
  return RunInputs::Flown;
}

// The stop rule, after the move: Running stays set only while every test holds.
template <class Host>
void ApplyStopRule(Host& host, const RunState& s) {
  bool goOn = Running && s.hKm > 0 && s.gR < 10 && (s.gR > 0 || ZeroGravity) && s.ySat <= s.CentreY;
  // In zero gravity the object may leave the window: its client area, not the drawing area's.
  if (goOn && ZeroGravity) {
    const AreaSize client = host.ClientSize();
    goOn = 0 < s.ySat && s.ySat < client.Height && 0 < s.xSat && s.xSat < client.Width;
  }
  if (!goOn) Running = false;
}

inline void WaitWhilePaused(RunHost& host) {
  if (!Paused) return;
  host.SetGridVisible(true);
  host.SelectLastGridRow();
  while (Paused) {
    host.PumpEvents();
    host.SleepMs(100);
  }
  host.SetGridVisible(false);
}

// One simulated second. Returns false when the pass ends at once (the lost outcome). Inlined
// into the loop of its pass, so that the step's values need not go through memory between calls.
template <class Host>
[[gnu::always_inline]] inline bool RunStep(Host& host, RunState& s, GravityReader& gravity,
                                           AltitudeFields& altitude) {
  if (ZeroGravity) {
    s.g0 = 0;
  } else if constexpr (CountsForeignCode<Host>) {
    s.g0 = gravity.Read(host.GravityText(), host.ForeignCodeRuns()).value_or(0.0);
  } else {
    s.g0 = gravity.Read(host.GravityText()).value_or(0.0);
  }
  WaitWhilePaused(host);
  MeasureAltitude(s);
  TelemetryAltitudeUpdate(host, s.hKm, altitude);
  FallAndMove(s, ZeroGravity, VertSpeed);
  if (!ZeroGravity && s.StepCount % 10 == 0) host.UpdateVectorGauges(s, VertSpeed);
  ApplyStopRule(host, s);
  if (s.hKm < 0) s.hKm = 0;
  if (Running) {
    host.PlotPoint(s);
    if (s.StepCount % 1000 == 0) host.DrawVectorLines(s);
  }
  if (s.PassIndex != 1) return true;
  if (!TelemetryStepRecord(host, s, Running, ZeroGravity)) return false;
  if (s.StepCount % 10 == 0) host.PumpEvents();
  s.StepCount = s.StepCount + 1;
  return true;
}

// The passes of the fan after pass 1 pump nothing, so nothing from outside can end them. One
// whose inputs were edited during pass 1 to fly above its drawn circle without vertical speed
// never leaves the horizontal through the Earth centre: it falls through the Earth and swings
// across the centre, each swing at least as wide as the one two steps before, as the fall speed
// only grows. From two crossings in a row on, its altitude cannot fall below what those steps
// measured and gravity cannot rise: the stop rule can only end it at the gravity cut-off, which
// the widening swing (as the cube root of the time) reaches after some 10^13 steps. Such a pass
// is ended; every other pass is left to the stop rule.
class SwingWatch {
 public:
  // After a step that left Running set: true once the pass is such an endless swing.
  bool Endless(const RunState& s) {
    const bool onCentreLine =
        s.ySat == s.CentreY && s.opposite_side == 0 && s.ySat - s.PixelsPerKm * s.iV == s.ySat;
    const double before = -s.adjacent_side;  // the side of the centre the step started on
    const double after = s.xSat - s.CentreX;
    const bool crossed = onCentreLine && ((before < 0 && after > 0) || (before > 0 && after < 0));
    crossings_ = crossed ? crossings_ + 1 : 0;
    return crossings_ >= 2;
  }

 private:
  int crossings_ = 0;
};

inline void SetUpPass(RunHost& host, RunState& s) {
  PlaceAtStart(s);
  s.alt0 = ParseInt32(host.AltText());
  // In the fan every pass starts running, whatever ended the pass before.
  Running = Running || (s.FirstPass != 1);
  const std::int32_t v = ParseInt32(host.SpeedText());
  s.PassSpeed = v + (s.PassIndex - 1) * static_cast<double>(v) / 10;
  s.iV = s.PassSpeed / 3600;
  s.fV = 0;
  s.StepCount = 0;
  host.SetGridVisible(false);
  host.InitGrid();
  s.AltOffset = AltOffsetSentinel;
  VertSpeed = s.iV;
  ZeroGravity = false;
}

}  // namespace detail

template <class Host>
RunInputs RunSimulation(Host& host) {
  using namespace detail;
  RunState s;
  s.LastPlotX = base::InitialLastPlotX;
  s.LastPlotY = base::InitialLastPlotY;
  host.ResetScene();
  if (host.IsShiftDown() && host.PresetIndex() == GpsPreset && Running) {
    s.FirstPass = -3;
    s.LastPass = 4;
  }
  host.SetPresetsEnabled(!Running);
  TelemetryRunEntry(host);

  RunInputs inputs = ReadInputs(host, s);
  const AreaSize area = host.DrawingAreaSize();
  if (inputs == RunInputs::Flown && (area.Width <= 0 || area.Height <= 0))
    inputs = RunInputs::NoDrawingArea;
  if (inputs != RunInputs::Flown) {
    Running = false;
    TelemetryRunEnd(host, s);
    return inputs;
  }

  ApplyView(s,
            scene::ComputeViewGeometry(area.Width, area.Height, s.rE, s.OrbitRadiusKm, ZoomFactor));
  PlaceAtStart(s);
  host.DrawBackground(s, Running);

  const bool flying = Running;
  GravityReader gravity;
  AltitudeFields altitude;
  for (s.PassIndex = s.FirstPass; s.PassIndex <= s.LastPass; ++s.PassIndex) {
    SetUpPass(host, s);
    SwingWatch swing;
    while (Running) {
      if (!RunStep(host, s, gravity, altitude)) break;
      if (s.PassIndex != 1 && Running && swing.Endless(s)) Running = false;
    }
  }
  // The loop leaves PassIndex one past the last pass; the end reports the last pass's counter.
  TelemetryRunEnd(host, s);
  // A flight starts only while no pause is set, so a pause still set now was asked for in a pump
  // after which no step followed (the stop rule or an Enter had ended the pass): it ends with
  // its run, or the next Start would only clear it and leave the buttons showing a run.
  if (flying) Paused = false;
  return RunInputs::Flown;
}

}  // namespace sim
