// SPDX-License-Identifier: GPL-3.0-or-later
// The window behind the run procedure's hand-overs.
#include "app/WindowRunHost.h"

#include <QApplication>
#include <QPushButton>

#include "app/KVUGraphiques.h"
#include "app/StepTable.h"
#include "scene/Background.h"
#include "scene/Trajectory.h"
#include "scene/Vectors.h"
#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/StringGrid.h"

namespace {

// An input written back by the run: once per pass, at once.
void SetFieldText(ui::Edit* field, std::string_view text) {
  const QString value = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  if (field->text() != value) field->setText(value);
}

}  // namespace

WindowRunHost::WindowRunHost(TKVFGraphiques& window) : w_(window) {}

// Characters beyond Latin-1 can never be part of a number, so the edit's stand-in for them keeps
// such text unreadable as one, as it should be.
std::string_view WindowRunHost::SpeedText() { return w_.eSpeed->Latin1Text(); }
std::string_view WindowRunHost::AltText() { return w_.eAlt->Latin1Text(); }
std::string_view WindowRunHost::GravityText() { return w_.eGravConst->Latin1Text(); }
void WindowRunHost::SetSpeedText(std::string_view text) { SetFieldText(w_.eSpeed, text); }
void WindowRunHost::SetAltText(std::string_view text) { SetFieldText(w_.eAlt, text); }
int WindowRunHost::PresetIndex() { return w_.RadioGroup1->ItemIndex(); }
void WindowRunHost::SetPresetsEnabled(bool enabled) {
  if (!enabled) NoteFocusLeaving(w_.RadioGroup1);
  w_.RadioGroup1->setEnabled(enabled);
  NoteFocusMoved();
}
bool WindowRunHost::IsShiftDown() { return w_.IsShiftDown(); }
sim::AreaSize WindowRunHost::DrawingAreaSize() { return {w_.Image1->width(), w_.Image1->height()}; }
sim::AreaSize WindowRunHost::ClientSize() { return {w_.width(), w_.height()}; }

void WindowRunHost::SetAltitudeText(std::string_view text) { w_.eAltitude->SetLatin1Text(text); }
std::string_view WindowRunHost::AltitudeText() { return w_.eAltitude->Latin1Text(); }
void WindowRunHost::SetAltitudeColour(base::Colour colour) {
  if (w_.eAltitude->Color() != colour) w_.eAltitude->SetColor(colour);
}
void WindowRunHost::SetMaxAltText(std::string_view text) { w_.eMaxAlt->SetLatin1Text(text); }
std::string_view WindowRunHost::MaxAltText() { return w_.eMaxAlt->Latin1Text(); }
// The field keeps the value, the time of day that many seconds after midnight, and writes its
// text in the user's locale when it shows it.
void WindowRunHost::SetDuration(std::int32_t StepCount) { w_.eDuree->SetTimeOfDay(StepCount); }

void WindowRunHost::InitGrid() { w_.InitGrid(); }
void WindowRunHost::SetGridVisible(bool visible) {
  if (!visible) NoteFocusLeaving(w_.StringGrid1);
  w_.StringGrid1->setVisible(visible);
  NoteFocusMoved();
}
void WindowRunHost::SelectLastGridRow() { w_.StringGrid1->SetRow(w_.StringGrid1->RowCount() - 1); }
void WindowRunHost::WriteStepRow(const sim::RunState& s) {
  w_.StepTable->SetRowCount(s.StepCount + 2);
  w_.StepTable->SetStepRow(s.StepCount + 1, {s.StepCount, false, s.hKm, s.gR, s.fV});
}
void WindowRunHost::ShowLostMessage() {
  ui::ShowMessage(&w_, QApplication::applicationDisplayName(),
                  QStringLiteral("Newtonian model :\rThe Flying Object is lost in deep space."));
}

void WindowRunHost::ResetScene() { w_.ResetScene(); }
void WindowRunHost::DrawBackground(const sim::RunState& s, bool Running) {
  scene::DrawBackground(w_.Image1->Surface(), s.CentreX, s.CentreY, s.OrbitRadiusPx,
                        s.EarthRadiusPx, Running, PresetIndex());
}
void WindowRunHost::PlotPoint(sim::RunState& s) {
  scene::PlotPoint(w_.Image1->Surface(), s.CentreX, s.CentreY, s.PassIndex, s.xSat, s.ySat,
                   PresetIndex(), s.LastPlotX, s.LastPlotY);
}
void WindowRunHost::UpdateVectorGauges(const sim::RunState& s, double VertSpeed) {
  const scene::GaugeValues g = scene::VectorGaugeValues(VertSpeed, s.fV, s.sine, s.cosine);
  w_.gInert->SetProgress(g.Inert);
  w_.gVGrav->SetProgress(g.VGrav);
  w_.gHGrav->SetProgress(g.HGrav);
}
void WindowRunHost::DrawVectorLines(const sim::RunState& s) {
  scene::DrawVectorLines(w_.Image1->Surface(), s.xSat, s.ySat, w_.gHGrav->Progress(),
                         w_.gVGrav->Progress(), w_.gInert->Progress());
}

void WindowRunHost::EnableRunButtons(bool Active) { w_.EnableRunButtons(Active); }
void WindowRunHost::PumpEvents() { ui::PumpEvents(); }
void WindowRunHost::SleepMs(int milliseconds) { ui::SleepMs(milliseconds); }

void WindowRunHost::NoteFocusLeaving(QWidget* control) {
  QWidget* focus = w_.focusWidget();
  if (focus == nullptr || (focus != control && !control->isAncestorOf(focus))) return;
  focusTaken_ = focus;
  focusLeaving_ = true;
}

void WindowRunHost::NoteFocusMoved() {
  if (!focusLeaving_) return;
  focusLeaving_ = false;
  focusMovedTo_ = w_.focusWidget();
}

void WindowRunHost::GiveFocusBack() {
  QWidget* focus = w_.focusWidget();
  if (focusTaken_ != nullptr && focus == focusMovedTo_ && focusTaken_->isEnabled() &&
      focusTaken_->isVisible()) {
    focusTaken_->setFocus(Qt::OtherFocusReason);
  } else if (focus == nullptr) {
    w_.Button1->setFocus(Qt::OtherFocusReason);
  }
}
