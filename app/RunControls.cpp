// SPDX-License-Identifier: GPL-3.0-or-later
// The run controls, zoom, the input fields' key handler, the scene reset, and the window's
// entry into the run procedure. The handlers only set the unit-level flags and call the
// procedure that does the work.
#include <QPushButton>

#include "app/KVUGraphiques.h"
#include "app/StepTable.h"
#include "app/WindowRunHost.h"
#include "base/Colours.h"
#include "sim/Presets.h"
#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "sim/Zoom.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/SpeedButton.h"

using namespace KVUGraphiques;

void TKVFGraphiques::sbStartClick(QObject*) {
  // Running is set first: the run procedure reads it at entry for the fan and the presets.
  Running = true;
  EnableRunButtons(true);
  if (Paused) {
    Paused = false;  // the run waiting further up the call stack carries on
    return;
  }
  RunSimulation();
}

void TKVFGraphiques::sbPauseClick(QObject*) {
  Paused = true;
  EnableRunButtons(false);
}

void TKVFGraphiques::sbStopClick(QObject*) {
  Running = false;
  Paused = false;
  EnableRunButtons(false);
}

void TKVFGraphiques::Button1Click(QObject*) { ZeroGravity = true; }

void TKVFGraphiques::sbZoomInClick(QObject*) {
  ResetScene();
  ChangeZoom(u'+');
}

void TKVFGraphiques::sbZoomOutClick(QObject*) {
  ResetScene();
  ChangeZoom(u'-');
}

void TKVFGraphiques::eSpeedKeyPress(QObject*, char16_t& Key) {
  RadioGroup1->SetItemIndex(sim::NoPreset);  // the fields no longer hold a preset
  if (Key != 13) return;
  // An enabled Start means that no run animates: Enter redraws from the typed values.
  if (sbStart->isEnabled()) {
    Running = false;
    RunSimulation();
    Key = 0;
  }
}

void TKVFGraphiques::eSpeedChange(QObject*) {}  // editing a field has no effect until it is read

void TKVFGraphiques::ChangeZoom(char16_t Direction) {
  if (!sbStart->isEnabled() || Paused) return;  // zooming only while idle
  const double before = ZoomFactor;
  ZoomFactor = sim::SteppedZoom(ZoomFactor, Direction);
  if (ZoomFactor == before) return;
  Running = false;
  RunSimulation();
}

void TKVFGraphiques::EnableRunButtons(bool Active) {
  sbStop->setEnabled(Active);
  sbPause->setEnabled(Active);
  sbStart->setEnabled(!Active);
}

void TKVFGraphiques::ResetScene() {
  // The drawing area's client alignment already gives it all that the window leaves free. Its
  // surface follows the area's size, so that a scene drawn after a resize fills it; it is
  // cleared over the whole client area's extent.
  Image1->FitSurface();
  ui::DrawingSurface& surface = Image1->Surface();
  surface.SetBrushColor(base::colours::Black);
  surface.FillRect(0, 0, width(), height());
  ui::RepaintNow(Image1);
  StepTable->SetRowCount(2);
  StepTable->ClearRow(1);
  eAltitude->SetColor(eMaxAlt->Color());
  eMaxAlt->SetText(QString());
}

void TKVFGraphiques::RunSimulation() {
  WindowRunHost host(*this);
  sim::RunSimulation(host);
  // Control goes back to an event loop: the fields take what the run wrote last.
  ui::ShowPendingTexts();
  host.GiveFocusBack();
}
