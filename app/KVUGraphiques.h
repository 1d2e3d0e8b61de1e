// SPDX-License-Identifier: GPL-3.0-or-later
// The main window KVFGraphiques: every control of the layout as a public member, and the
// handlers bound to their events. The unit-level run flags live in sim/UnitState.h; the hover
// guard of the explanation panel lives here, beside the window.
#pragma once

#include <QString>

#include "ui/widgets/Container.h"

class QCloseEvent;
class QPushButton;
class StepTableModel;

namespace ui {
class BarGauge;
class Edit;
class GroupBox;
class ImageControl;
class Memo;
class OutputField;
class Panel;
class RadioGroup;
class SpeedButton;
class StringGrid;
}  // namespace ui

namespace KVUGraphiques {

// True only while a hover handler of mmExplications is at work.
extern bool MemoBusy;

// The instance key: the window's caption, the application title and what the single-instance
// look-up searches for.
inline const QString InstanceKey = QStringLiteral("Satellite orbit simulation");

}  // namespace KVUGraphiques

class TKVFGraphiques : public ui::Container {
  Q_OBJECT

 public:
  // Builds the control tree at the design client size (base/DesignSize.h). FormCreate is not run
  // here: the program calls it right after construction.
  explicit TKVFGraphiques(QWidget* parent = nullptr);

  // What FormCreate does besides the layout work. Tests turn off the single-instance look-up
  // and shorten the start-up flash (FlashStartGroup with this count).
  struct StartOptions {
    bool CheckSingleInstance = true;
    int FlashCount = 10;
  };
  StartOptions Start;

  // The close action the toolkit proposes: caNone keeps the window open, the others close it.
  enum class TCloseAction { caNone, caHide, caFree, caMinimize };

  void FormCreate(QObject* Sender);
  void FormClose(QObject* Sender, TCloseAction& Action);

  void sbStartClick(QObject* Sender);
  void sbPauseClick(QObject* Sender);
  void sbStopClick(QObject* Sender);
  void Button1Click(QObject* Sender);
  void sbZoomInClick(QObject* Sender);
  void sbZoomOutClick(QObject* Sender);
  void eSpeedKeyPress(QObject* Sender, char16_t& Key);
  void eSpeedChange(QObject* Sender);
  void RadioGroup1Click(QObject* Sender);
  void mmExplicationsMouseEnter(QObject* Sender);
  void mmExplicationsMouseLeave(QObject* Sender);

  void InitGrid();
  void FlashStartGroup(int Count);
  void EnableRunButtons(bool Active);
  void ResetScene();
  void ChangeZoom(char16_t Direction);
  void RunSimulation();
  bool IsShiftDown();

  // Step 2 of FormCreate: the drawing area fills what the two panels leave free.
  void AlignDrawingArea();

  ui::ImageControl* Image1 = nullptr;
  ui::Panel* Panel1 = nullptr;
  ui::GroupBox* GroupBox1 = nullptr;
  ui::GroupBox* GroupBox9 = nullptr;
  ui::GroupBox* GroupBox3 = nullptr;
  ui::Edit* eAlt = nullptr;
  ui::GroupBox* GroupBox2 = nullptr;
  ui::Edit* eSpeed = nullptr;
  ui::RadioGroup* RadioGroup1 = nullptr;
  ui::GroupBox* GroupBox5 = nullptr;
  ui::Edit* eGravConst = nullptr;
  ui::GroupBox* GroupBox8 = nullptr;
  ui::GroupBox* GroupBox10 = nullptr;
  ui::SpeedButton* sbZoomIn = nullptr;
  ui::SpeedButton* sbZoomOut = nullptr;
  ui::GroupBox* gbStart = nullptr;
  ui::SpeedButton* sbStart = nullptr;
  ui::SpeedButton* sbPause = nullptr;
  ui::SpeedButton* sbStop = nullptr;
  QPushButton* Button1 = nullptr;
  ui::GroupBox* GroupBox7 = nullptr;
  ui::OutputField* eAltitude = nullptr;
  ui::GroupBox* GroupBox6 = nullptr;
  ui::OutputField* eMaxAlt = nullptr;
  ui::GroupBox* GroupBox4 = nullptr;
  ui::OutputField* eDuree = nullptr;
  ui::Panel* Panel2 = nullptr;
  ui::Memo* mmExplications = nullptr;
  ui::StringGrid* StringGrid1 = nullptr;
  StepTableModel* StepTable = nullptr;  // the rows StringGrid1 shows
  ui::GroupBox* gbVectors = nullptr;
  ui::BarGauge* gInert = nullptr;
  ui::BarGauge* gHGrav = nullptr;
  ui::BarGauge* gVGrav = nullptr;
  ui::Memo* Memo1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void BindHandlers();
  void BindShortcuts();
  void WaitUntilShown();

  bool shiftForNextRead_ = false;  // the fan's key: Shift counts as held for the run's one read
};
