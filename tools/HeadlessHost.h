// SPDX-License-Identifier: GPL-3.0-or-later
// A run host without a window: the fields are plain texts, the drawing and the event services do
// nothing, and the table rows go to an optional callback. The headless flight tool, the tests
// and the benchmarks fly the window's run procedure through it.
#pragma once

#include <functional>
#include <string>

#include "base/DesignSize.h"
#include "sim/Presets.h"
#include "sim/RunHost.h"
#include "sim/RunSimulation.h"
#include "sim/ShortText.h"

namespace tools {

// Final, so that the run procedure made for it calls its hand-overs directly and drops those
// that do nothing; what a test wants to see of the drawing hand-overs comes through the On...
// callbacks, which cost a test of an empty callback otherwise.
class HeadlessHost final : public sim::RunHost {
 public:
  // The layout's drawing area; the window's client area adds the side panel and the top band.
  HeadlessHost(std::string altText, std::string speedText,
               sim::AreaSize area = {base::DesignAreaWidth, base::DesignAreaHeight});

  std::string Speed, Alt, Gravity = "9,81", Altitude, MaxAlt;
  int Preset = sim::NoPreset;
  bool PresetsEnabled = true;
  bool ShiftDown = false;
  bool GridVisible = true;
  bool RunButtonsActive = false;
  sim::AreaSize Area, Client;
  base::Colour AltitudeColour = 0xFFFFFF;
  std::int32_t DataRows = 0;  // rows holding a step (the empty row after InitGrid does not count)
  std::int32_t DurationSteps = 0;
  int LostMessages = 0;
  long Pumps = 0;
  std::function<void(const sim::RunState&)> OnRow;  // each table row, with the position
  std::function<void()> OnPump;                     // each event pump
  // The drawing hand-overs, for tests that follow them.
  std::function<void(const sim::RunState&)> OnPlot, OnGauges, OnLines;

  // The callbacks above are the only code from outside that runs inside a run, and so the only
  // way anything but the run's own hand-overs can change the fields while it runs. Counted, so
  // that a run made for this host reads its fields back only after one of them has run.
  std::uint64_t ForeignCodeRuns() const { return foreignCodeRuns_; }

  std::string_view SpeedText() override { return Speed; }
  std::string_view AltText() override { return Alt; }
  std::string_view GravityText() override { return Gravity; }
  void SetSpeedText(std::string_view text) override { Speed = text; }
  void SetAltText(std::string_view text) override { Alt = text; }
  int PresetIndex() override { return Preset; }
  void SetPresetsEnabled(bool enabled) override { PresetsEnabled = enabled; }
  bool IsShiftDown() override { return ShiftDown; }
  sim::AreaSize DrawingAreaSize() override { return Area; }
  sim::AreaSize ClientSize() override { return Client; }

  void SetAltitudeText(std::string_view text) override { Write(Altitude, text); }
  std::string_view AltitudeText() override { return Altitude; }
  void SetAltitudeColour(base::Colour colour) override { AltitudeColour = colour; }
  void SetMaxAltText(std::string_view text) override { Write(MaxAlt, text); }
  std::string_view MaxAltText() override { return MaxAlt; }
  void SetDuration(std::int32_t StepCount) override { DurationSteps = StepCount; }

  void InitGrid() override { DataRows = 0; }
  void SetGridVisible(bool visible) override { GridVisible = visible; }
  void SelectLastGridRow() override {}
  void WriteStepRow(const sim::RunState& s) override {
    DataRows = s.StepCount + 1;
    Call(OnRow, s);
  }
  void ShowLostMessage() override { ++LostMessages; }

  void ResetScene() override {
    DataRows = 0;
    MaxAlt.clear();
    AltitudeColour = 0xFFFFFF;
  }
  void DrawBackground(const sim::RunState&, bool) override {}
  void PlotPoint(sim::RunState& s) override { Call(OnPlot, s); }
  void UpdateVectorGauges(const sim::RunState& s, double) override { Call(OnGauges, s); }
  void DrawVectorLines(const sim::RunState& s) override { Call(OnLines, s); }

  void EnableRunButtons(bool Active) override { RunButtonsActive = Active; }
  void PumpEvents() override {
    ++Pumps;
    Call(OnPump);
  }
  void SleepMs(int) override {}

 private:
  template <class Callback, class... Arguments>
  void Call(const Callback& callback, const Arguments&... arguments) {
    if (!callback) return;
    ++foreignCodeRuns_;
    callback(arguments...);
  }

  // The result fields are written at every step, mostly with a text as long as the one before:
  // it is copied over that one in place.
  static void Write(std::string& field, std::string_view text) {
    if (field.size() == text.size())
      sim::CopyText(field.data(), text);
    else
      field.assign(text.data(), text.size());
  }

  std::uint64_t foreignCodeRuns_ = 0;
};

// The run procedure made for the headless host: the same run as through the interface.
sim::RunInputs RunSimulation(HeadlessHost& host);

}  // namespace tools
