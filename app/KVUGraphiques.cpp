// SPDX-License-Identifier: GPL-3.0-or-later
// The window's start-up, close and preset handlers, the explanation panel's hover handlers and
// the start-up helpers (grid header, flash). The run controls are in RunControls.cpp.
#include "app/KVUGraphiques.h"
#include "app/StepTable.h"
#include "app/WindowRunHost.h"
#include "base/DesignSize.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>

#include "base/Colours.h"
#include "sim/Presets.h"
#include "sim/UnitState.h"
#include "ui/platform/SingleInstance.h"
#include "ui/widgets/Align.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/Panel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/StringGrid.h"

namespace KVUGraphiques {

bool MemoBusy = false;

}  // namespace KVUGraphiques

TKVFGraphiques::TKVFGraphiques(QWidget* parent) : ui::Container(parent) { BuildLayout(); }

void TKVFGraphiques::FormCreate(QObject*) {
  // The look-up comes before the caption is set, so it cannot find this process itself.
  if (Start.CheckSingleInstance && ui::ActivateRunningInstance(KVUGraphiques::InstanceKey))
    std::_Exit(0);
  AlignDrawingArea();
  setWindowTitle(KVUGraphiques::InstanceKey);
  QGuiApplication::setApplicationDisplayName(KVUGraphiques::InstanceKey);
  if (Start.CheckSingleInstance) ui::ServeLaterInstances(this, KVUGraphiques::InstanceKey);
  InitGrid();
  showMaximized();
  // The focused control shows its focus mark from the start, not only after the first Tab.
  setAttribute(Qt::WA_KeyboardFocusChange);
  // The scene and gbVectors are sized from the client area: it must be the maximised one.
  WaitUntilShown();
  RadioGroup1Click(this);
  ui::RepaintNow(this);
  gbVectors->move(width() - gbVectors->width() - StringGrid1->width() - 10, gbVectors->y());
  FlashStartGroup(Start.FlashCount);
}

void TKVFGraphiques::WaitUntilShown() {
  // The window manager maximises asynchronously; a second at most covers a slow one.
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < 1000) {
    const QWindow* window = windowHandle();
    if (window != nullptr && window->isExposed() &&
        size() != QSize(base::DesignClientWidth, base::DesignClientHeight))
      break;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ui::SleepMs(2);
  }
}

void TKVFGraphiques::AlignDrawingArea() { ui::SetAlign(Image1, ui::Align::Client); }

void TKVFGraphiques::FormClose(QObject*, TCloseAction&) {
  // A paused run leaves its wait, a running one ends at its next check.
  KVUGraphiques::Paused = false;
  KVUGraphiques::Running = false;
}

void TKVFGraphiques::closeEvent(QCloseEvent* event) {
  // FormClose leaves the proposed action as it is, so the close goes ahead and ends the program.
  TCloseAction action = TCloseAction::caHide;
  FormClose(this, action);
  event->accept();
}

void TKVFGraphiques::InitGrid() {
  StepTable->SetRowCount(2);
  StringGrid1->SetColWidth(0, 40);
  StringGrid1->SetColWidth(1, 45);
  StringGrid1->SetColWidth(2, 45);
  StringGrid1->SetColWidth(3, StringGrid1->width() - 165);
  StepTable->SetHeader({QStringLiteral("Time (s)"), QStringLiteral("Alt (km)"),
                        QStringLiteral("Galt"), QStringLiteral("fV (km/s)")});
}

void TKVFGraphiques::FlashStartGroup(int Count) {
  eAltitude->SetText(QString());
  eMaxAlt->SetText(QString());
  eDuree->SetText(QString());
  if (Count <= 0) return;
  // Each colour is set before its pause and painted after it; no events are handled meanwhile.
  for (int i = 0; i < Count; ++i) {
    gbStart->SetColor(base::colours::White);
    ui::SleepMs(33);
    ui::RepaintNow(gbStart);
    gbStart->SetColor(base::colours::Silver);
    ui::SleepMs(33);
    ui::RepaintNow(gbStart);
    gbStart->SetColor(base::colours::Yellow);
    ui::SleepMs(34);
    ui::RepaintNow(gbStart);
  }
}

void TKVFGraphiques::RadioGroup1Click(QObject*) {
  const int index = RadioGroup1->ItemIndex();
  if (index < 0 || index >= static_cast<int>(sim::Presets.size())) return;
  const sim::Preset& preset = sim::Presets[static_cast<std::size_t>(index)];
  ResetScene();
  eSpeed->setText(QString::number(preset.SpeedKmh));
  eAlt->setText(QString::number(preset.AltitudeKm));
  ui::RepaintNow(this);
  KVUGraphiques::Running = false;
  RunSimulation();
  FlashStartGroup(-5);
}

void TKVFGraphiques::mmExplicationsMouseEnter(QObject*) {
  if (KVUGraphiques::MemoBusy) return;
  KVUGraphiques::MemoBusy = true;
  // Lifted onto the window the memo is placed by hand, not by the window's alignment.
  ui::SetAlign(mmExplications, ui::Align::None);
  mmExplications->setParent(this);
  ui::Realign(Panel2);
  mmExplications->setGeometry(Image1->geometry());
  mmExplications->show();
  mmExplications->raise();
  const QSize screen = ui::ScreenSize();
  ui::SetCursorPos(screen.width() / 2, screen.height() / 2);
  // The enter and leave events of the move and the jump arrive here, while the guard holds.
  ui::PumpEvents();
  KVUGraphiques::MemoBusy = false;
}

void TKVFGraphiques::mmExplicationsMouseLeave(QObject*) {
  if (KVUGraphiques::MemoBusy) return;
  KVUGraphiques::MemoBusy = true;
  mmExplications->setParent(Panel2);
  mmExplications->resize(mmExplications->width(), 100);
  ui::SetAlign(mmExplications, ui::Align::Top);
  mmExplications->show();
  ui::PumpEvents();
  KVUGraphiques::MemoBusy = false;
}

bool TKVFGraphiques::IsShiftDown() {
  if (shiftForNextRead_) {
    shiftForNextRead_ = false;  // a run nested in this one reads the keyboard again
    return true;
  }
  return ui::IsShiftDown();
}
