// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as built and as started: every control of the layout at the design client
// size, the regions that stretch, the focus order, the fixed texts, the explanation panel's
// hover and the state after FormCreate.
#include <QEnterEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/KVUGraphiques.h"
#include "app/Texts.h"
#include "base/Colours.h"
#include "sim/UnitState.h"
#include "ui/widgets/Align.h"
#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/Panel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/SpeedButton.h"
#include "ui/widgets/StringGrid.h"

namespace colours = base::colours;

namespace {

constexpr qint64 kNoColour = -1;

// The caption or text a control shows.
QString TextOf(const QWidget* w) {
  if (auto* box = qobject_cast<const ui::GroupBox*>(w)) return box->Caption();
  if (auto* edit = qobject_cast<const ui::Edit*>(w)) return edit->text();
  if (auto* field = qobject_cast<const ui::OutputField*>(w)) return field->Text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  return {};
}

qint64 ColourOf(const QWidget* w) {
  if (auto* container = qobject_cast<const ui::Container*>(w)) return container->Color();
  if (auto* edit = qobject_cast<const ui::Edit*>(w)) return edit->Color();
  if (auto* field = qobject_cast<const ui::OutputField*>(w)) return field->Color();
  if (auto* memo = qobject_cast<const ui::Memo*>(w)) return memo->Color();
  if (auto* grid = qobject_cast<const ui::StringGrid*>(w)) return grid->Color();
  if (auto* gauge = qobject_cast<const ui::BarGauge*>(w)) return gauge->FillColor();
  return kNoColour;
}

QString FontOf(const QWidget* w) {
  const QFont f = w->font();
  return QStringLiteral("%1 %2%3")
      .arg(f.family())
      .arg(f.pixelSize())
      .arg(f.bold() ? QStringLiteral(" bold") : QString());
}

void SendEnter(QWidget* w) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
  QCoreApplication::sendEvent(w, &enter);
}

void SendLeave(QWidget* w) {
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(w, &leave);
}

}  // namespace

class TestWindow : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void controlTree_data();
  void controlTree();
  void drawingAreaAligned();
  void stretchedWindow_data();
  void stretchedWindow();
  void focusOrder();
  void buttonsAndHints();
  void vectorLegendText();
  void explanationText_data();
  void explanationText();
  void hoverEnlargesAndReturns();
  void hoverIgnoredWhileBusy();
  void flashAndRunButtons();
  void closeClearsRunFlags();
  void afterFormCreate();

 private:
  std::unique_ptr<TKVFGraphiques> window_;
};

void TestWindow::init() {
  KVUGraphiques::ResetUnitState();
  KVUGraphiques::MemoBusy = false;
  window_ = std::make_unique<TKVFGraphiques>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QCOMPARE(window_->size(), QSize(1279, 548));
}

void TestWindow::cleanup() {
  ui::SetPumpHook({});
  window_.reset();
}

void TestWindow::controlTree_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("bounds");
  QTest::addColumn<QString>("text");
  QTest::addColumn<qint64>("colour");
  QTest::addColumn<QString>("font");
  QTest::addColumn<bool>("enabled");
  const QString arial = QStringLiteral("Arial 13");
  const QString bold = QStringLiteral("Arial 13 bold");
  const QString tahoma = QStringLiteral("Tahoma 11");
  const qint64 face = ui::SysButtonFace;
  const QString box = QStringLiteral("ui::GroupBox");
  const QString edit = QStringLiteral("ui::Edit");
  const QString field = QStringLiteral("ui::OutputField");
  const QString speed = QStringLiteral("ui::SpeedButton");
  auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
  const QString win = QStringLiteral("KVFGraphiques");

  row("Image1") << "ui::ImageControl" << win << QRect(384, 288, 105, 105) << "" << kNoColour
                << tahoma << true;
  row("Panel1") << "ui::Panel" << win << QRect(0, 0, 1279, 100) << "" << face << arial << true;
  row("GroupBox1") << box << "Panel1" << QRect(4, 4, 1271, 92) << "" << qint64(colours::PaleYellow)
                   << arial << true;
  row("GroupBox9") << box << "GroupBox1" << QRect(2, 18, 742, 72)
                   << "Parametres (Initial values: GPS Satellite)" << qint64(colours::PaleYellow)
                   << arial << true;
  row("GroupBox3") << box << "GroupBox9" << QRect(5, 21, 119, 46) << "Initial altitude (km)"
                   << qint64(colours::PaleGreen) << arial << true;
  row("eAlt") << edit << "GroupBox3" << QRect(2, 18, 115, 26) << "22000" << qint64(colours::White)
              << bold << true;
  row("GroupBox2") << box << "GroupBox9" << QRect(130, 21, 120, 46) << "Initial speed (km/h)"
                   << qint64(colours::PaleGreen) << arial << true;
  row("eSpeed") << edit << "GroupBox2" << QRect(2, 18, 116, 26) << "14000" << qint64(colours::White)
                << bold << true;
  row("RadioGroup1") << "ui::RadioGroup"
                     << "GroupBox9" << QRect(256, 21, 412, 46) << "Ready available values"
                     << qint64(colours::Silver) << arial << true;
  row("GroupBox5") << box << "GroupBox9" << QRect(672, 21, 65, 46) << "G"
                   << qint64(colours::PaleYellow) << arial << true;
  row("eGravConst") << edit << "GroupBox5" << QRect(2, 18, 61, 26) << "9,81"
                    << qint64(colours::PaleYellow) << arial << false;
  row("GroupBox8") << box << "GroupBox1" << QRect(744, 18, 525, 72)
                   << " P R O G R A M  E X E C U T I O N  " << qint64(colours::Yellow) << arial
                   << true;
  row("GroupBox10") << box << "GroupBox8" << QRect(5, 21, 63, 46) << "Zoom"
                    << qint64(colours::Yellow) << arial << true;
  row("sbZoomIn") << speed << "GroupBox10" << QRect(5, 21, 23, 20) << "" << kNoColour << arial
                  << true;
  row("sbZoomOut") << speed << "GroupBox10" << QRect(34, 21, 23, 20) << "" << kNoColour << arial
                   << true;
  row("gbStart") << box << "GroupBox8" << QRect(74, 21, 127, 46) << "Simulation"
                 << qint64(colours::Yellow) << arial << true;
  row("sbStart") << speed << "gbStart" << QRect(5, 21, 23, 20) << "" << kNoColour << arial << true;
  row("sbPause") << speed << "gbStart" << QRect(34, 21, 23, 20) << "" << kNoColour << arial
                 << false;
  row("sbStop") << speed << "gbStart" << QRect(63, 21, 23, 20) << "" << kNoColour << arial << false;
  row("Button1") << "QPushButton"
                 << "gbStart" << QRect(97, 18, 28, 26) << "g=0" << kNoColour << arial << true;
  row("GroupBox7") << box << "GroupBox8" << QRect(207, 21, 83, 46) << "Altitude (km)"
                   << qint64(colours::Yellow) << arial << true;
  row("eAltitude") << field << "GroupBox7" << QRect(2, 18, 79, 26) << "22000"
                   << qint64(colours::White) << bold << false;
  row("GroupBox6") << box << "GroupBox8" << QRect(296, 21, 87, 46) << "Alt max (km)"
                   << qint64(colours::Yellow) << arial << true;
  row("eMaxAlt") << field << "GroupBox6" << QRect(2, 18, 83, 26) << "22000"
                 << qint64(colours::White) << bold << false;
  row("GroupBox4") << box << "GroupBox8" << QRect(389, 21, 131, 46) << "Flight duration"
                   << qint64(colours::Yellow) << arial << true;
  row("eDuree") << field << "GroupBox4" << QRect(2, 18, 127, 26) << "" << qint64(colours::White)
                << bold << false;
  row("Panel2") << "ui::Panel" << win << QRect(1051, 100, 228, 448) << ""
                << qint64(colours::PaleYellow) << arial << true;
  row("mmExplications") << "ui::Memo"
                        << "Panel2" << QRect(2, 2, 220, 127) << "" << qint64(colours::PaleYellow)
                        << arial << true;
  row("StringGrid1") << "ui::StringGrid"
                     << "Panel2" << QRect(2, 129, 220, 313) << "" << qint64(colours::Yellow)
                     << "Courier New 9" << true;
  row("gbVectors") << box << win << QRect(827, 111, 220, 399) << "Inertia and gravitation vectors"
                   << qint64(colours::White) << tahoma << true;
  row("gInert") << "ui::BarGauge"
                << "gbVectors" << QRect(3, 17, 17, 100) << "" << qint64(colours::Aqua) << tahoma
                << true;
  row("gHGrav") << "ui::BarGauge"
                << "gbVectors" << QRect(20, 119, 125, 16) << "" << qint64(colours::Red) << tahoma
                << true;
  row("gVGrav") << "ui::BarGauge"
                << "gbVectors" << QRect(3, 137, 17, 100) << "" << qint64(colours::Blue) << tahoma
                << true;
  row("Memo1") << "ui::Memo"
               << "gbVectors" << QRect(2, 245, 216, 152) << "" << qint64(ui::SysWindow) << tahoma
               << true;
}

void TestWindow::controlTree() {
  QFETCH(QString, kind);
  QFETCH(QString, parent);
  QFETCH(QRect, bounds);
  QFETCH(QString, text);
  QFETCH(qint64, colour);
  QFETCH(QString, font);
  QFETCH(bool, enabled);
  const QString name = QString::fromLatin1(QTest::currentDataTag());
  auto* control = window_->findChild<QWidget*>(name);
  QVERIFY2(control != nullptr, qPrintable(name));
  QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
  QCOMPARE(control->parentWidget()->objectName(), parent);
  QCOMPARE(ui::ClientGeometry(control), bounds);
  QCOMPARE(TextOf(control), text);
  QCOMPARE(ColourOf(control), colour);
  QCOMPARE(FontOf(control), font);
  QCOMPARE(control->isEnabled(), enabled);
  QVERIFY(control->isVisible());
}

void TestWindow::drawingAreaAligned() {
  window_->AlignDrawingArea();
  QCOMPARE(window_->Image1->geometry(), QRect(0, 100, 1051, 448));
  // Stacking order, bottom to top.
  QStringList order;
  for (QObject* child : window_->children()) {
    if (child->isWidgetType()) order << child->objectName();
  }
  QCOMPARE(order, (QStringList{"Image1", "Panel1", "Panel2", "gbVectors"}));
  // The radio group's items and the selection of the layout.
  QCOMPARE(window_->RadioGroup1->Items(),
           (QStringList{"IS Station", "GPS satellite", "GEO-S satellite"}));
  QCOMPARE(window_->RadioGroup1->ItemIndex(), 1);
  QCOMPARE(window_->RadioGroup1->Columns(), 3);
  QCOMPARE(window_->StringGrid1->RowCount(), 5);
  QCOMPARE(window_->StringGrid1->ColCount(), 4);
  QCOMPARE(window_->eAlt->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  QCOMPARE(window_->eDuree->Alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QCOMPARE(window_->eGravConst->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  for (ui::BarGauge* gauge : {window_->gInert, window_->gHGrav, window_->gVGrav})
    QCOMPARE(gauge->Progress(), 0);
  QCOMPARE(window_->gHGrav->Orientation(), Qt::Horizontal);
  QCOMPARE(window_->gVGrav->Orientation(), Qt::Vertical);
}

void TestWindow::stretchedWindow_data() {
  QTest::addColumn<QSize>("client");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("bounds");
  const QSize wide(1600, 548);
  const QSize tall(1279, 800);
  QTest::newRow("wide Panel1") << wide << "Panel1" << QRect(0, 0, 1600, 100);
  QTest::newRow("wide GroupBox1") << wide << "GroupBox1" << QRect(4, 4, 1592, 92);
  QTest::newRow("wide GroupBox9") << wide << "GroupBox9" << QRect(2, 18, 1063, 72);
  QTest::newRow("wide GroupBox8") << wide << "GroupBox8" << QRect(1065, 18, 525, 72);
  QTest::newRow("wide GroupBox3") << wide << "GroupBox3" << QRect(5, 21, 119, 46);
  QTest::newRow("wide RadioGroup1") << wide << "RadioGroup1" << QRect(256, 21, 412, 46);
  QTest::newRow("wide GroupBox5") << wide << "GroupBox5" << QRect(993, 21, 65, 46);
  QTest::newRow("wide GroupBox4") << wide << "GroupBox4" << QRect(389, 21, 131, 46);
  QTest::newRow("wide Panel2") << wide << "Panel2" << QRect(1372, 100, 228, 448);
  QTest::newRow("wide Image1") << wide << "Image1" << QRect(0, 100, 1372, 448);
  QTest::newRow("tall Panel1") << tall << "Panel1" << QRect(0, 0, 1279, 100);
  QTest::newRow("tall mmExplications") << tall << "mmExplications" << QRect(2, 2, 220, 127);
  QTest::newRow("tall StringGrid1") << tall << "StringGrid1" << QRect(2, 129, 220, 565);
  QTest::newRow("tall Image1") << tall << "Image1" << QRect(0, 100, 1051, 700);
  QTest::newRow("tall gbVectors") << tall << "gbVectors" << QRect(827, 111, 220, 399);
  QTest::newRow("tall Memo1") << tall << "Memo1" << QRect(2, 245, 216, 152);
}

void TestWindow::stretchedWindow() {
  QFETCH(QSize, client);
  QFETCH(QString, name);
  QFETCH(QRect, bounds);
  window_->AlignDrawingArea();
  window_->resize(client);
  QTRY_COMPARE(window_->size(), client);
  auto* control = window_->findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  QCOMPARE(ui::ClientGeometry(control), bounds);
}

void TestWindow::focusOrder() {
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QCOMPARE(QApplication::focusWidget(), window_->Button1);
  const QList<QWidget*> expected{window_->RadioGroup1, window_->eSpeed,         window_->eAlt,
                                 window_->StringGrid1, window_->mmExplications, window_->Memo1,
                                 window_->Button1};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(
        focus == next || next->isAncestorOf(focus),
        qPrintable(
            QStringLiteral("expected %1, got %2").arg(next->objectName(), focus->objectName())));
  }
  // Inside the radio group the focus rests on the selected preset.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), window_->RadioGroup1->Button(1));
}

void TestWindow::buttonsAndHints() {
  const QList<QPair<QAbstractButton*, QString>> hints{{window_->sbStart, "Start"},
                                                      {window_->sbPause, "Pause"},
                                                      {window_->sbStop, "Stop"},
                                                      {window_->Button1, "Zero gravity"}};
  // Each hint begins with its own text; the key that clicks the button follows in parentheses.
  for (const auto& [button, hint] : hints)
    QVERIFY2(button->toolTip().startsWith(hint + " ("), qPrintable(button->toolTip()));
  for (ui::SpeedButton* button : {window_->sbZoomIn, window_->sbZoomOut, window_->sbStart,
                                  window_->sbPause, window_->sbStop}) {
    QVERIFY(!button->toolTip().isEmpty());
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QVERIFY(!button->isCheckable());
    QVERIFY(!button->icon().pixmap(16, 16, QIcon::Normal).isNull());
    QVERIFY(button->icon().pixmap(16, 16, QIcon::Normal).toImage() !=
            button->icon().pixmap(16, 16, QIcon::Disabled).toImage());
  }
  // The disabled output fields stay readable: their own background, black text.
  for (ui::OutputField* field : {window_->eAltitude, window_->eMaxAlt, window_->eDuree}) {
    QCOMPARE(field->palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::white));
    QCOMPARE(field->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black));
  }
}

void TestWindow::vectorLegendText() {
  const QStringList expected{
      "Inertia vector : Aqua ",
      " |=> Eaten away by vert. grav. comp.",
      " |=> moved right by horiz. grav. comp.",
      "Gravitation vector : Lime",
      " |=> Vert. grav. component : Blue",
      " |=> Horiz. grav. component : Red",
      "Remark : Vertical and horizontal in this ",
      "context meaning relative to the screen.",
      "Vertical=y-axis, horizontal=x-axis  ",
      "For clarity, the inertia vector is shown",
      "as the result of vInertia-vVertGrav",
  };
  QCOMPARE(window_->Memo1->Lines(), expected);
  QVERIFY(!window_->Memo1->isReadOnly());
  QCOMPARE(window_->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestWindow::explanationText_data() {
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("text");
  const QList<QPair<int, const char*>> fixed{{1, "SATELLITE ORBITS IN A"},
                                             {2, "NEWTONIAN WORLD"},
                                             {3, ""},
                                             {4, "Some notes on the program"},
                                             {5, "VELMIR. We consider the"},
                                             {6, "white, initially on screen"},
                                             {7, "vertically upward, trajectory."},
                                             {8, ""},
                                             {13, ""},
                                             {19, ""},
                                             {29, ""},
                                             {42, ""},
                                             {43, "The core of the program is"},
                                             {44, "composed of the next lines of"},
                                             {45, "code:"},
                                             {46, ""},
                                             {47, "fV = fV + gR; // The fall velocity"},
                                             {48, "increases with gR"},
                                             {49, ""},
                                             {50, "gR: gravitational accelaration."},
                                             {51, "9,81 m/s2 at the surface of the"},
                                             {52, "Earth. //g0"},
                                             {53, "Remark : Formula used for"},
                                             {54, "calculation at altitude h : gR ="},
                                             {55, "g0 (( rE / (rE + h)) // rE: radius of"},
                                             {56, "the Earth. H : Altitude of the"},
                                             {57, "flying object"},
                                             {58, ""},
                                             {59, "sine = opposite_side /"},
                                             {60, "hypotenuse"},
                                             {61, "cosine = adjacent_side /"},
                                             {62, "hypotenuse"},
                                             {63, ""},
                                             {64, "xSat = xSat + fV * cosine //"},
                                             {65, "horizontal component of the"},
                                             {66, "objects velocity"},
                                             {67, "ySat = ySat \u2013 iV + fV * sine //"},
                                             {68, "vertical component of the objects"},
                                             {69, "velocity"},
                                             {70, ""},
                                             {71, "Remark: Increase of xSat : The"},
                                             {72, "object moves to the right."},
                                             {73, "Decrease of ySat : The object"},
                                             {74, "moves upwards."}};
  for (const auto& [line, text] : fixed)
    QTest::addRow("line %d", line) << line << QString::fromUtf8(text);
}

void TestWindow::explanationText() {
  QFETCH(int, line);
  QFETCH(QString, text);
  const QStringList lines = window_->mmExplications->Lines();
  QCOMPARE(lines.size(), 74);
  const QString actual = lines.at(line - 1);
  // Lines with text carry one trailing blank, the sine and cosine lines two; empty lines none.
  const QString blanks = text.isEmpty()               ? QString()
                         : (line == 59 || line == 61) ? QStringLiteral("  ")
                                                      : QStringLiteral(" ");
  QCOMPARE(actual, text + blanks);
  // Only the listed lines are empty; the paragraphs of lines 9 to 41 have text.
  if (line == 74) {
    const QList<int> empty{3, 8, 13, 19, 29, 42, 46, 49, 58, 63, 70};
    for (int i = 1; i <= 74; ++i) QCOMPARE(lines.at(i - 1).isEmpty(), empty.contains(i));
    QVERIFY(lines.at(13).startsWith(QStringLiteral("1)")));
    QVERIFY(lines.at(19).startsWith(QStringLiteral("2)")));
    const QString paragraphs = lines.mid(8, 34).join(QLatin1Char(' '));
    for (const char* word : {"iV", "fV", "fVv", "fVh"})
      QVERIFY(paragraphs.contains(QString::fromLatin1(word)));
    for (const QString& l : lines) QVERIFY2(l.size() <= 40, qPrintable(l));  // the narrow width
  }
}

void TestWindow::hoverEnlargesAndReturns() {
  window_->AlignDrawingArea();
  ui::Memo* memo = window_->mmExplications;
  QCOMPARE(memo->height(), 127);
  for (int round = 0; round < 2; ++round) {
    SendEnter(memo);
    QCOMPARE(memo->parentWidget(), window_.get());
    QCOMPARE(memo->geometry(), window_->Image1->geometry());
    QCOMPARE(memo->font().pixelSize(), 11);  // the window's font once it lies on the window
    QVERIFY(!KVUGraphiques::MemoBusy);
    QCOMPARE(window_->children().last(), memo);  // above everything else

    SendLeave(memo);
    QCOMPARE(memo->parentWidget(), window_->Panel2);
    QCOMPARE(ui::ClientGeometry(memo), QRect(2, 2, 220, 100));
    QCOMPARE(ui::ClientGeometry(window_->StringGrid1), QRect(2, 102, 220, 340));
    QCOMPARE(memo->font().pixelSize(), 13);
    QVERIFY(!KVUGraphiques::MemoBusy);
  }
}

void TestWindow::hoverIgnoredWhileBusy() {
  window_->AlignDrawingArea();
  ui::Memo* memo = window_->mmExplications;
  // During the enter handler's pump: the guard holds, and a leave and a second enter are dropped.
  bool busyInside = false;
  ui::SetPumpHook([&] {
    ui::SetPumpHook({});
    busyInside = KVUGraphiques::MemoBusy;
    SendLeave(memo);
    SendEnter(memo);
  });
  SendEnter(memo);
  QVERIFY(busyInside);
  QCOMPARE(memo->parentWidget(), window_.get());
  QCOMPARE(memo->geometry(), window_->Image1->geometry());

  // The guard alone drops events: with it set nothing moves.
  KVUGraphiques::MemoBusy = true;
  SendLeave(memo);
  QCOMPARE(memo->parentWidget(), window_.get());
  KVUGraphiques::MemoBusy = false;
  SendLeave(memo);
  QCOMPARE(memo->parentWidget(), window_->Panel2);
}

void TestWindow::flashAndRunButtons() {
  window_->eAltitude->SetText(QStringLiteral("1"));
  window_->FlashStartGroup(-5);
  for (ui::OutputField* field : {window_->eAltitude, window_->eMaxAlt, window_->eDuree})
    QVERIFY(field->Text().isEmpty());
  QCOMPARE(window_->gbStart->Color(), colours::Yellow);
  window_->FlashStartGroup(1);
  QCOMPARE(window_->gbStart->Color(), colours::Yellow);

  window_->EnableRunButtons(true);
  QVERIFY(!window_->sbStart->isEnabled());
  QVERIFY(window_->sbStop->isEnabled());
  QVERIFY(window_->sbPause->isEnabled());
  window_->EnableRunButtons(false);
  QVERIFY(window_->sbStart->isEnabled());
  QVERIFY(!window_->sbStop->isEnabled());
  QVERIFY(!window_->sbPause->isEnabled());
}

void TestWindow::closeClearsRunFlags() {
  KVUGraphiques::Running = true;
  KVUGraphiques::Paused = true;
  QVERIFY(window_->close());
  QVERIFY(!KVUGraphiques::Running);
  QVERIFY(!KVUGraphiques::Paused);
}

void TestWindow::afterFormCreate() {
  window_->hide();
  window_->Start.CheckSingleInstance = false;
  window_->FormCreate(window_.get());
  QVERIFY(window_->isMaximized());
  QCOMPARE(window_->windowTitle(), KVUGraphiques::InstanceKey);
  QCOMPARE(window_->RadioGroup1->ItemIndex(), 1);
  QVERIFY(window_->RadioGroup1->Button(1)->isChecked());
  QCOMPARE(window_->eSpeed->text(), QStringLiteral("14000"));
  QCOMPARE(window_->eAlt->text(), QStringLiteral("20200"));
  for (ui::OutputField* field : {window_->eAltitude, window_->eMaxAlt, window_->eDuree})
    QVERIFY(field->Text().isEmpty());
  QVERIFY(window_->sbStart->isEnabled());
  QVERIFY(!window_->sbStop->isEnabled());
  QVERIFY(!window_->sbPause->isEnabled());
  QCOMPARE(window_->gbStart->Color(), colours::Yellow);
  QCOMPARE(window_->gbVectors->x(), window_->width() - 450);
  QCOMPARE(window_->gbVectors->y(), 111);
  QCOMPARE(window_->Image1->geometry(),
           QRect(0, 100, window_->width() - 228, window_->height() - 100));

  ui::StringGrid* grid = window_->StringGrid1;
  QCOMPARE(grid->RowCount(), 2);
  const QStringList header{"Time (s)", "Alt (km)", "Galt", "fV (km/s)"};
  const QList<int> widths{40, 45, 45, 55};
  for (int c = 0; c < 4; ++c) {
    QCOMPARE(grid->Cells(c, 0), header.at(c));
    QCOMPARE(grid->ColWidth(c), widths.at(c));
  }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
