// SPDX-License-Identifier: GPL-3.0-or-later
// The control tree of KVFGraphiques: kinds, nesting, alignment, design bounds, captions, texts,
// colours, fonts, enabled states, hints, focus order, the binding of the handlers and of the
// shortcut keys, and the names under which assistive technology announces the controls.
#include <QFont>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <functional>

#include "app/KVUGraphiques.h"
#include "app/StepTable.h"
#include "app/Texts.h"
#include "base/Colours.h"
#include "base/DesignSize.h"
#include "ui/widgets/Align.h"
#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Colour.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/Panel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/SpeedButton.h"
#include "ui/widgets/StringGrid.h"

namespace colours = base::colours;
using ui::Align;

namespace {

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
  QFont font(family);
  // Where Tahoma is missing fontconfig picks a much wider face; Liberation Sans keeps the widths.
  if (family == QLatin1String("Tahoma"))
    font.setFamilies({family, QStringLiteral("Liberation Sans")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QFont ArialFont(bool bold = false) { return PixelFont(QStringLiteral("Arial"), 13, bold); }

// A control at its design bounds (client coordinates of its parent), then aligned. Alignment
// order among siblings follows the design positions, so the bounds come first.
template <class Control>
Control* Place(Control* control, const char* name, const QRect& design, Align align = Align::None,
               bool withMargins = false) {
  control->setObjectName(QString::fromLatin1(name));
  ui::SetClientGeometry(control, design);
  ui::SetAlign(control, align, withMargins);
  return control;
}

ui::GroupBox* MakeGroupBox(QWidget* parent, const char* name, const QRect& design, Align align,
                           bool withMargins, const QString& caption) {
  auto* box = Place(new ui::GroupBox(parent), name, design, align, withMargins);
  box->SetCaption(caption);
  return box;
}

// The input edits of the top band: white, bold black Arial, left-aligned, a client-filling child
// of a group box.
ui::Edit* MakeInputEdit(QWidget* parent, const char* name, const QRect& design,
                        const QString& text) {
  auto* edit = Place(new ui::Edit(parent), name, design, Align::Client);
  edit->setText(text);
  edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  edit->SetColor(colours::White);
  edit->SetTextColor(colours::Black);
  edit->setFont(ArialFont(true));
  return edit;
}

// The result fields of the top band: disabled edits in the same look, centred, written by the
// program.
ui::OutputField* MakeResultField(QWidget* parent, const char* name, const QRect& design,
                                 const QString& text) {
  auto* field = Place(new ui::OutputField(parent), name, design, Align::Client);
  field->SetText(text);
  field->SetAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  field->SetColor(colours::White);
  field->SetTextColor(colours::Black);
  field->setFont(ArialFont(true));
  return field;
}

ui::SpeedButton* MakeSpeedButton(QWidget* parent, const char* name, const QRect& design,
                                 ui::Glyph glyph, const QString& hint, bool enabled) {
  auto* button = Place(new ui::SpeedButton(parent), name, design, Align::Left, true);
  button->SetGlyph(glyph);
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setEnabled(enabled);
  return button;
}

QString KeyText(const QKeySequence& key) { return key.toString(QKeySequence::NativeText); }

// The hint names the keys after its own text: "Pause (F6)".
void AddKeysToHint(QAbstractButton* button, const QString& keys) {
  button->setToolTip(QStringLiteral("%1 (%2)").arg(button->toolTip(), keys));
}

// A key that works wherever the focus is in the window, leaves the focus where it is, and does
// nothing while the button it stands for is disabled: a click does nothing then either.
QShortcut* AddShortcut(QWidget* window, const QList<QKeySequence>& keys,
                       std::function<void()> act) {
  auto* shortcut = new QShortcut(window);
  shortcut->setKeys(keys);
  shortcut->setContext(Qt::WindowShortcut);
  shortcut->setAutoRepeat(false);
  QObject::connect(shortcut, &QShortcut::activated, window, std::move(act));
  return shortcut;
}

}  // namespace

void TKVFGraphiques::BuildLayout() {
  setObjectName(QStringLiteral("KVFGraphiques"));
  // Before any control exists, so that every control starts from it.
  setPalette(ui::LayoutPalette());
  setWindowTitle(QStringLiteral("Graphiques"));
  resize(base::DesignClientWidth, base::DesignClientHeight);
  SetColor(colours::Black);
  setFont(PixelFont(QStringLiteral("Tahoma"), 11));

  // Children of the window in stacking order, bottom to top.
  Image1 = Place(new ui::ImageControl(this), "Image1", QRect(384, 288, 105, 105));

  Panel1 = Place(new ui::Panel(this), "Panel1",
                 QRect(0, 0, base::DesignClientWidth, base::TopBandHeight), Align::Top);
  Panel1->SetColor(ui::SysButtonFace);
  Panel1->setFont(ArialFont());

  GroupBox1 =
      MakeGroupBox(Panel1, "GroupBox1", QRect(4, 4, 1271, 92), Align::Client, true, QString());
  GroupBox1->SetColor(colours::PaleYellow);

  GroupBox9 = MakeGroupBox(GroupBox1, "GroupBox9", QRect(2, 18, 742, 72), Align::Client, false,
                           QStringLiteral("Parametres (Initial values: GPS Satellite)"));

  GroupBox3 = MakeGroupBox(GroupBox9, "GroupBox3", QRect(5, 21, 119, 46), Align::Left, true,
                           QStringLiteral("Initial altitude (km)"));
  GroupBox3->SetColor(colours::PaleGreen);
  eAlt = MakeInputEdit(GroupBox3, "eAlt", QRect(2, 18, 115, 26), QStringLiteral("22000"));

  GroupBox2 = MakeGroupBox(GroupBox9, "GroupBox2", QRect(130, 21, 120, 46), Align::Left, true,
                           QStringLiteral("Initial speed (km/h)"));
  GroupBox2->SetColor(colours::PaleGreen);
  eSpeed = MakeInputEdit(GroupBox2, "eSpeed", QRect(2, 18, 116, 26), QStringLiteral("14000"));

  RadioGroup1 = Place(new ui::RadioGroup(GroupBox9), "RadioGroup1", QRect(256, 21, 412, 46),
                      Align::Left, true);
  RadioGroup1->SetCaption(QStringLiteral("Ready available values"));
  RadioGroup1->SetColor(colours::Silver);
  RadioGroup1->SetColumns(3);
  RadioGroup1->SetItems({QStringLiteral("IS Station"), QStringLiteral("GPS satellite"),
                         QStringLiteral("GEO-S satellite")});
  RadioGroup1->SetItemIndex(1);

  GroupBox5 = MakeGroupBox(GroupBox9, "GroupBox5", QRect(672, 21, 65, 46), Align::Right, true,
                           QStringLiteral("G"));
  GroupBox5->SetColor(colours::PaleYellow);
  eGravConst = Place(new ui::Edit(GroupBox5), "eGravConst", QRect(2, 18, 61, 26), Align::Client);
  eGravConst->setText(QStringLiteral("9,81"));
  eGravConst->setAlignment(Qt::AlignCenter);
  eGravConst->SetColor(colours::PaleYellow);
  eGravConst->SetTextColor(ui::SysWindowText);
  eGravConst->setFont(ArialFont());
  eGravConst->setEnabled(false);

  GroupBox8 = MakeGroupBox(GroupBox1, "GroupBox8", QRect(744, 18, 525, 72), Align::Right, false,
                           QStringLiteral(" P R O G R A M  E X E C U T I O N  "));
  GroupBox8->SetColor(colours::Yellow);

  GroupBox10 = MakeGroupBox(GroupBox8, "GroupBox10", QRect(5, 21, 63, 46), Align::Left, true,
                            QStringLiteral("Zoom"));
  GroupBox10->SetColor(colours::Yellow);
  sbZoomIn = MakeSpeedButton(GroupBox10, "sbZoomIn", QRect(5, 21, 23, 20), ui::Glyph::ZoomIn,
                             QStringLiteral("Zoom in, larger picture"), true);
  sbZoomOut = MakeSpeedButton(GroupBox10, "sbZoomOut", QRect(34, 21, 23, 20), ui::Glyph::ZoomOut,
                              QStringLiteral("Zoom out, smaller picture"), true);

  gbStart = MakeGroupBox(GroupBox8, "gbStart", QRect(74, 21, 127, 46), Align::Left, true,
                         QStringLiteral("Simulation"));
  gbStart->SetColor(colours::Yellow);
  sbStart = MakeSpeedButton(gbStart, "sbStart", QRect(5, 21, 23, 20), ui::Glyph::Start,
                            QStringLiteral("Start"), true);
  sbPause = MakeSpeedButton(gbStart, "sbPause", QRect(34, 21, 23, 20), ui::Glyph::Pause,
                            QStringLiteral("Pause"), false);
  sbStop = MakeSpeedButton(gbStart, "sbStop", QRect(63, 21, 23, 20), ui::Glyph::Stop,
                           QStringLiteral("Stop"), false);
  Button1 = Place(new QPushButton(QStringLiteral("g=0"), gbStart), "Button1", QRect(97, 18, 28, 26),
                  Align::Right);
  Button1->setToolTip(QStringLiteral("Zero gravity"));
  Button1->setFocusPolicy(Qt::StrongFocus);

  GroupBox7 = MakeGroupBox(GroupBox8, "GroupBox7", QRect(207, 21, 83, 46), Align::Left, true,
                           QStringLiteral("Altitude (km)"));
  GroupBox7->SetColor(colours::Yellow);
  eAltitude =
      MakeResultField(GroupBox7, "eAltitude", QRect(2, 18, 79, 26), QStringLiteral("22000"));

  GroupBox6 = MakeGroupBox(GroupBox8, "GroupBox6", QRect(296, 21, 87, 46), Align::Left, true,
                           QStringLiteral("Alt max (km)"));
  GroupBox6->SetColor(colours::Yellow);
  eMaxAlt = MakeResultField(GroupBox6, "eMaxAlt", QRect(2, 18, 83, 26), QStringLiteral("22000"));

  GroupBox4 = MakeGroupBox(GroupBox8, "GroupBox4", QRect(389, 21, 131, 46), Align::Client, true,
                           QStringLiteral("Flight duration"));
  GroupBox4->SetColor(colours::Yellow);
  eDuree = MakeResultField(GroupBox4, "eDuree", QRect(2, 18, 127, 26), QString());

  Panel2 = new ui::Panel(this);
  Panel2->SetSoftEdgeWidth(2);
  Panel2->SetBevelWidth(2);
  Place(Panel2, "Panel2",
        QRect(base::DesignAreaWidth, base::TopBandHeight, base::SidePanelWidth,
              base::DesignAreaHeight),
        Align::Right);
  Panel2->SetColor(colours::PaleYellow);
  Panel2->setFont(ArialFont());

  mmExplications = Place(new ui::Memo(Panel2), "mmExplications", QRect(2, 2, 220, 127), Align::Top);
  mmExplications->SetColor(colours::PaleYellow);
  mmExplications->SetVerticalScrollBar(true);
  mmExplications->SetLines(KVUGraphiques::ExplanationLines());

  StringGrid1 =
      Place(new ui::StringGrid(Panel2), "StringGrid1", QRect(2, 129, 220, 313), Align::Client);
  StringGrid1->SetColor(colours::Yellow);
  StringGrid1->setFont(PixelFont(QStringLiteral("Courier New"), 9));
  StepTable = new StepTableModel(this);
  StepTable->SetView(StringGrid1);
  StepTable->SetRowCount(5);
  StringGrid1->setModel(StepTable);

  gbVectors = MakeGroupBox(this, "gbVectors", QRect(827, 111, 220, 399), Align::None, false,
                           QStringLiteral("Inertia and gravitation vectors"));
  gbVectors->SetColor(colours::White);
  gInert = Place(new ui::BarGauge(Qt::Vertical, gbVectors), "gInert", QRect(3, 17, 17, 100));
  gInert->SetFillColor(colours::Aqua);
  gHGrav = Place(new ui::BarGauge(Qt::Horizontal, gbVectors), "gHGrav", QRect(20, 119, 125, 16));
  gHGrav->SetFillColor(colours::Red);
  gVGrav = Place(new ui::BarGauge(Qt::Vertical, gbVectors), "gVGrav", QRect(3, 137, 17, 100));
  gVGrav->SetFillColor(colours::Blue);
  Memo1 = Place(new ui::Memo(gbVectors), "Memo1", QRect(2, 245, 216, 152), Align::Bottom);
  Memo1->SetColor(ui::SysWindow);
  Memo1->SetLines(KVUGraphiques::VectorLegendLines());

  // Names for assistive technology where no caption or text of the control gives one: each
  // field is named by its group's caption, the rest by what they show.
  for (QWidget* field :
       std::initializer_list<QWidget*>{eAlt, eSpeed, eGravConst, eAltitude, eMaxAlt, eDuree})
    field->setAccessibleName(static_cast<ui::GroupBox*>(field->parentWidget())->Caption());
  GroupBox8->setAccessibleName(QStringLiteral("Program execution"));
  Image1->setAccessibleName(QStringLiteral("Orbit drawing"));
  Image1->setAccessibleDescription(QStringLiteral(
      "The blue Earth, the grey circle at the initial altitude and the legend; a run draws "
      "the trajectory with its vector marks"));
  mmExplications->setAccessibleName(QStringLiteral("Notes on the program"));
  StringGrid1->setAccessibleName(QStringLiteral("Flight table, one row per simulated second"));
  Memo1->setAccessibleName(QStringLiteral("Legend of the vector colours"));
  const QString gaugeUnit = QStringLiteral("In tenths of a km/s: a full bar is 10 km/s");
  gInert->setAccessibleName(QStringLiteral("Inertia vector"));
  gVGrav->setAccessibleName(QStringLiteral("Vertical gravity component"));
  gHGrav->setAccessibleName(QStringLiteral("Horizontal gravity component"));
  for (ui::BarGauge* gauge : {gInert, gVGrav, gHGrav}) gauge->setAccessibleDescription(gaugeUnit);

  // Focus order: the g=0 button first, then right to left across the parameters, then the panel.
  setTabOrder(Button1, RadioGroup1->Button(0));
  setTabOrder(RadioGroup1->Button(0), RadioGroup1->Button(1));
  setTabOrder(RadioGroup1->Button(1), RadioGroup1->Button(2));
  setTabOrder(RadioGroup1->Button(2), eSpeed);
  setTabOrder(eSpeed, eAlt);
  setTabOrder(eAlt, StringGrid1);
  setTabOrder(StringGrid1, mmExplications);
  setTabOrder(mmExplications, Memo1);
  Button1->setFocus();

  BindHandlers();
  BindShortcuts();
}

void TKVFGraphiques::BindHandlers() {
  connect(sbStart, &QToolButton::clicked, this, [this] { sbStartClick(sbStart); });
  connect(sbPause, &QToolButton::clicked, this, [this] { sbPauseClick(sbPause); });
  connect(sbStop, &QToolButton::clicked, this, [this] { sbStopClick(sbStop); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
  connect(sbZoomIn, &QToolButton::clicked, this, [this] { sbZoomInClick(sbZoomIn); });
  connect(sbZoomOut, &QToolButton::clicked, this, [this] { sbZoomOutClick(sbZoomOut); });
  for (ui::Edit* edit : {eSpeed, eAlt}) {
    // Direct, so that the handler can swallow the key before the field takes it.
    connect(edit, &ui::Edit::KeyPress, this, &TKVFGraphiques::eSpeedKeyPress, Qt::DirectConnection);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { eSpeedChange(edit); });
  }
  connect(RadioGroup1, &ui::RadioGroup::Clicked, this, &TKVFGraphiques::RadioGroup1Click);
  connect(mmExplications, &ui::Memo::MouseEnter, this, &TKVFGraphiques::mmExplicationsMouseEnter);
  connect(mmExplications, &ui::Memo::MouseLeave, this, &TKVFGraphiques::mmExplicationsMouseLeave);
}

void TKVFGraphiques::BindShortcuts() {
  // Function keys and Ctrl combinations, which no field of the window takes as typing.
  const QKeySequence start(Qt::Key_F5);
  const QKeySequence fan(Qt::SHIFT | Qt::Key_F5);
  const QKeySequence pause(Qt::Key_F6);
  const QKeySequence stop(Qt::Key_F7);
  const QKeySequence zeroGravity(Qt::Key_F8);
  const QList<QKeySequence> zoomIn = QKeySequence::keyBindings(QKeySequence::ZoomIn);
  const QList<QKeySequence> zoomOut = QKeySequence::keyBindings(QKeySequence::ZoomOut);
  AddShortcut(this, {start}, [this] { sbStart->click(); });
  // The run reads Shift once, at its entry: for that read the key stands for Start with Shift held.
  AddShortcut(this, {fan}, [this] {
    shiftForNextRead_ = true;
    sbStart->click();
    shiftForNextRead_ = false;
  });
  AddShortcut(this, {pause}, [this] { sbPause->click(); });
  AddShortcut(this, {stop}, [this] { sbStop->click(); });
  AddShortcut(this, {zeroGravity}, [this] { Button1->click(); });
  AddShortcut(this, zoomIn, [this] { sbZoomIn->click(); });
  AddShortcut(this, zoomOut, [this] { sbZoomOut->click(); });
  AddKeysToHint(sbStart, QStringLiteral("%1; %2: the fan").arg(KeyText(start), KeyText(fan)));
  AddKeysToHint(sbPause, KeyText(pause));
  AddKeysToHint(sbStop, KeyText(stop));
  AddKeysToHint(Button1, KeyText(zeroGravity));
  AddKeysToHint(sbZoomIn, KeyText(zoomIn.value(0)));
  AddKeysToHint(sbZoomOut, KeyText(zoomOut.value(0)));
}
