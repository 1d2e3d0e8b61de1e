// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the run procedure sees it: the input and result fields, the table, the drawing
// area and the run buttons of KVFGraphiques behind the hand-overs of sim::RunHost.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

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
  void SetAltitudeColour(base::Colour colour) override;
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

  // After the run: a control whose focus the run took by disabling or hiding it has it back,
  // unless the user has put the focus elsewhere meanwhile; a window left without focus gives it
  // to the first control of its focus order.
  void GiveFocusBack();

 private:
  // Call before `control` is disabled or hidden; `Moved` after, to note where Qt put the focus.
  void NoteFocusLeaving(QWidget* control);
  void NoteFocusMoved();

  TKVFGraphiques& w_;
  QPointer<QWidget> focusTaken_;
  QPointer<QWidget> focusMovedTo_;
  bool focusLeaving_ = false;
};
