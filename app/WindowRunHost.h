// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the run procedure sees it: the input and result fields, the table, the drawing
// area and the run buttons of KVFGraphiques behind the hand-overs of sim::RunHost.
#pragma once

#include <QString>
#include <string>

#include "sim/RunHost.h"

class TKVFGraphiques;

class WindowRunHost final : public sim::RunHost {
 public:
  explicit WindowRunHost(TKVFGraphiques& window);

  std::string_view SpeedText() override;
  std::string_view AltText() override;
  std::string_view GravityText() override;
  void SetSpeedText(std::string_view text) override;
  void SetAltText(std::string_view text) override;
  int PresetIndex() override;
  void SetPresetsEnabled(bool enabled) override;
  bool IsShiftDown() override;
  sim::AreaSize DrawingAreaSize() override;
  sim::AreaSize ClientSize() override;

  void SetAltitudeText(std::string_view text) override;
  std::string_view AltitudeText() override;
  void SetAltitudeColour(scene::Colour colour) override;
  void SetMaxAltText(std::string_view text) override;
  std::string_view MaxAltText() override;
  void SetDuration(std::int32_t StepCount) override;

  void InitGrid() override;
  void SetGridVisible(bool visible) override;
  void SelectLastGridRow() override;
  void WriteStepRow(const sim::RunState& s) override;
  void ShowLostMessage() override;

  void ResetScene() override;
  void DrawBackground(const sim::RunState& s, bool Running) override;
  void PlotPoint(sim::RunState& s) override;
  void UpdateVectorGauges(const sim::RunState& s, double VertSpeed) override;
  void DrawVectorLines(const sim::RunState& s) override;

  void EnableRunButtons(bool Active) override;
  void PumpEvents() override;
  void SleepMs(int milliseconds) override;

 private:
  TKVFGraphiques& w_;
  std::string duration_;  // the duration text as 8-bit characters, kept for its capacity
};

// The table's cell texts for a step row: a blank, then the time, "0" of the altitude and
// "0.000" of the gravity and the fall speed.
QString StepRowCellText(int col, std::int32_t time, double alt, double galt, double fv);
