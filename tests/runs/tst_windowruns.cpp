// SPDX-License-Identifier: GPL-3.0-or-later
// Runs in the window, driven through its controls as a person drives them: clicks, characters,
// Enter and Shift, and the keys that stand for the buttons. The event pump's hook lets a test
// act at a chosen pump of a run.
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/KVUGraphiques.h"
#include "sim/UnitState.h"
#include "tests/support/StartedWindow.h"
#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/SpeedButton.h"
#include "ui/widgets/StringGrid.h"

namespace {

constexpr base::Colour White = 0xFFFFFF;

// The window after start-up (without the look-up and the flash), sized so that the drawing
// area has the given size.
class Window {
 public:
  explicit Window(QSize area = {1000, 800}) {
    support::StartWindow(w);
    RequireSize(support::SizeDrawingArea(w, area));
  }
  ~Window() {
    ui::SetPumpHook({});
    ui::SetMessageHook({});
  }
  static void RequireSize(bool taken) { QVERIFY2(taken, "drawing area size"); }

  void Click(QWidget* button, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(button, Qt::LeftButton, keys);
  }
  void ClickPreset(int index) { QTest::mouseClick(w.RadioGroup1->Button(index), Qt::LeftButton); }
  // Replaces a field's text by typing, as a user does, then presses Enter when asked.
  void Type(ui::Edit* field, const QString& text, bool enter = false) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    if (enter) QTest::keyClick(field, Qt::Key_Return);
  }
  // Calls `act` with the number of the pump, from 1, at every event pump of a run.
  void OnPump(std::function<void(int)> act) {
    ui::SetPumpHook([this, act] { act(++pumps); });
  }

  int DataRows() const { return w.StringGrid1->RowCount() - 1; }
  QString Cell(int col, int row) const { return w.StringGrid1->Cells(col, row); }
  bool Idle() const {
    return !KVUGraphiques::Running && !KVUGraphiques::Paused && w.sbStart->isEnabled() &&
           !w.sbStop->isEnabled() && !w.sbPause->isEnabled();
  }
  base::Colour Pixel(int x, int y) { return w.Image1->Surface().Pixel(x, y); }
  bool AnyPixelLit() {
    const QImage& image = w.Image1->Surface().Image();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != 0) return true;
    return false;
  }
  // A key as the keyboard delivers it: to the focused control, or to the window when none has
  // the focus. The window is made active first, as the keys that stand for buttons want it.
  void Key(Qt::Key key, Qt::KeyboardModifiers keys = {}) {
    if (!w.isActiveWindow()) {
      w.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    if (QWidget* focus = QApplication::focusWidget())
      QTest::keyClick(focus, key, keys);
    else
      QTest::keyClick(w.windowHandle(), key, keys);
  }
  // Holds Shift down as the keyboard reports it to the platform.
  void HoldShift(bool down) {
    if (down)
      QTest::keyPress(w.windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
    else
      QTest::keyRelease(w.windowHandle(), Qt::Key_Shift, Qt::NoModifier);
  }

  TKVFGraphiques w;
  int pumps = 0;
};

}  // namespace

class TestWindowRuns : public QObject {
  Q_OBJECT
 private slots:
  void gpsRunCrashes() {
    Window t;
    QCOMPARE(t.w.RadioGroup1->ItemIndex(), 1);
    t.Click(t.w.sbStart);
    QCOMPARE(t.w.eAltitude->Text(), QString("Crashed"));
    QCOMPARE(t.DataRows(), 12538);
    QCOMPARE(t.Cell(0, 1), QString(" 0"));
    QCOMPARE(t.Cell(1, 1), QString(" 20200"));
    QCOMPARE(t.Cell(2, 1), QString(" 0,564"));
    QCOMPARE(t.Cell(0, 12538), QString(" 12537"));
    QCOMPARE(t.Cell(1, 12538), QString(" 0"));
    QCOMPARE(t.w.eDuree->Text(), QString("03:28:58"));
    QCOMPARE(t.w.eMaxAlt->Text(), QString("20201"));
    QVERIFY(t.Idle());
    QVERIFY(t.w.RadioGroup1->isEnabled());
    QVERIFY(t.w.StringGrid1->isVisible());
    QCOMPARE(t.w.StringGrid1->Row(), 12538);
    QCOMPARE(t.w.eAltitude->Color(), White);
  }

  void lostInDeepSpace() {
    Window t;
    QStringList messages;
    ui::SetMessageHook([&](const QString& title, const QString& text) {
      messages << title << text;
      QVERIFY(KVUGraphiques::Running == false);
    });
    t.Type(t.w.eSpeed, "100000");
    QCOMPARE(t.w.RadioGroup1->ItemIndex(), -1);  // typing deselects the preset
    t.Click(t.w.sbStart);
    QCOMPARE(messages,
             (QStringList{"Satellite orbit simulation",
                          "Newtonian model :\rThe Flying Object is lost in deep space."}));
    QCOMPARE(t.w.eAltitude->Text(), QString("Lost"));
    QCOMPARE(t.DataRows(), 74012);
    QCOMPARE(t.w.eDuree->Text(), QString("20:33:32"));
    QVERIFY(t.Idle());
  }

  void gaugesAtTheFirstStep_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("inertia");
    QTest::newRow("IS Station") << 0 << 76;
    QTest::newRow("GPS satellite") << 1 << 38;
    QTest::newRow("GEO-S satellite") << 2 << 30;
  }
  void gaugesAtTheFirstStep() {
    QFETCH(int, preset);
    Window t;
    t.ClickPreset(preset);
    int inertia = -1, vertical = -1, horizontal = -1;
    t.OnPump([&](int pump) {
      if (pump != 1) return;  // the pump after step 0
      inertia = t.w.gInert->Progress();
      vertical = t.w.gVGrav->Progress();
      horizontal = t.w.gHGrav->Progress();
      t.Click(t.w.sbStop);
    });
    t.Click(t.w.sbStart);
    QTEST(inertia, "inertia");
    QCOMPARE(vertical, 0);  // the first step falls straight right
    QCOMPARE(horizontal, 0);
  }

  void runControlStates() {
    Window t;
    QVERIFY(t.Idle());
    t.OnPump([&](int pump) {
      if (pump == 2) {
        // animating
        QVERIFY(KVUGraphiques::Running && !t.w.sbStart->isEnabled() && t.w.sbStop->isEnabled() &&
                t.w.sbPause->isEnabled());
        QVERIFY(!t.w.RadioGroup1->isEnabled());
        // The disabled entries stay readable on the group's silver.
        const QRadioButton* entry = t.w.RadioGroup1->Button(0);
        QVERIFY(entry->palette().color(QPalette::Disabled, QPalette::WindowText).lightness() <
                QColor(0xC0, 0xC0, 0xC0).lightness() - 48);
        QVERIFY(!t.w.StringGrid1->isVisible());
        t.Click(t.w.sbPause);
      } else if (pump == 3) {
        // paused: Start is the only enabled run button; the table shows its last row
        QVERIFY(KVUGraphiques::Paused && t.w.sbStart->isEnabled() && !t.w.sbStop->isEnabled() &&
                !t.w.sbPause->isEnabled());
        QVERIFY(t.w.StringGrid1->isVisible());
        QCOMPARE(t.w.StringGrid1->Row(), t.w.StringGrid1->RowCount() - 1);
        t.Click(t.w.sbStart);
      }
    });
    t.Click(t.w.sbStart);
    QCOMPARE(t.DataRows(), 12538);  // the paused run went on, no new run began
    QVERIFY(t.Idle());
  }

  void stopInASinglePass() {
    Window t;
    t.OnPump([&](int pump) {
      if (pump == 51) t.Click(t.w.sbStop);  // the pump after step 500
    });
    t.Click(t.w.sbStart);
    QCOMPARE(t.DataRows(), 501);
    bool number = false;
    t.w.eAltitude->Text().toInt(&number);
    QVERIFY(number);                                    // no outcome word
    QCOMPARE(t.w.eDuree->Text(), QString("00:08:21"));  // one second past the last row
    QVERIFY(t.Idle());
  }

  void zeroGravity() {
    Window t;
    t.OnPump([&](int pump) {
      if (pump == 100) t.Click(t.w.Button1);
    });
    t.Click(t.w.sbStart);
    QCOMPARE(t.w.eAltitude->Text(), QString("Out of view"));

    // Pressed while idle, it changes nothing for the next run.
    ui::SetPumpHook({});
    t.Click(t.w.Button1);
    t.Click(t.w.sbStart);
    QCOMPARE(t.w.eAltitude->Text(), QString("Crashed"));
    QCOMPARE(t.DataRows(), 12538);
  }

  void zoomDuringARun_data() {
    QTest::addColumn<bool>("paused");
    QTest::newRow("animating") << false;
    QTest::newRow("paused") << true;
  }
  void zoomDuringARun() {
    QFETCH(bool, paused);
    Window t;
    const QPoint centre(500, 400);
    t.OnPump([&](int pump) {
      if (pump == 1) QVERIFY(t.Pixel(centre.x(), centre.y()) != 0);  // the Earth
      if (pump == 5 && paused) t.Click(t.w.sbPause);
      if (pump == 7) {
        t.Click(t.w.sbZoomIn);
        QCOMPARE(t.Pixel(centre.x(), centre.y()), 0u);
        QCOMPARE(t.w.StringGrid1->RowCount(), 2);
        QVERIFY(t.w.eMaxAlt->Text().isEmpty());
        if (paused) t.Click(t.w.sbStart);
      }
    });
    t.Click(t.w.sbStart);
    QCOMPARE(KVUGraphiques::ZoomFactor, 1.0);
    QCOMPARE(t.w.eAltitude->Text(), QString("Crashed"));  // the run went on
    QCOMPARE(t.DataRows(), 12538);
    QCOMPARE(t.Pixel(centre.x(), centre.y()), 0u);  // no background came back
  }

  void tenZoomClicks_data() {
    QTest::addColumn<bool>("out");
    QTest::newRow("out") << true;
    QTest::newRow("in") << false;
  }
  void tenZoomClicks() {
    QFETCH(bool, out);
    Window t;
    QWidget* button = out ? static_cast<QWidget*>(t.w.sbZoomOut) : t.w.sbZoomIn;
    for (int i = 0; i < 9; ++i) t.Click(button);
    const double expected = out ? std::pow(1.2, 9) : std::pow(1.2, -9);
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - expected) < 1e-12);
    QVERIFY(t.AnyPixelLit());  // redrawn each time
    t.Click(button);
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - expected) < 1e-12);
    QVERIFY(!t.AnyPixelLit());  // cleared, and no redraw followed
    // The factor stays across presets.
    t.ClickPreset(0);
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - expected) < 1e-12);
  }

  void enterKey() {
    Window t;
    // Idle: letters read as 0 and the field shows "0"; the typed value is redrawn.
    t.Type(t.w.eAlt, "abc", true);
    QCOMPARE(t.w.eAlt->text(), QString("0"));
    QCOMPARE(t.w.RadioGroup1->ItemIndex(), -1);
    QVERIFY(t.w.eAltitude->Text() == "0" && t.w.eMaxAlt->Text() == "0");
    t.Type(t.w.eSpeed, "14000,6", true);
    QCOMPARE(t.w.eSpeed->text(), QString("14001"));
    t.Type(t.w.eSpeed, "14000.5", true);
    QCOMPARE(t.w.eSpeed->text(), QString("0"));

    // Animating: only the preset is deselected, the field takes the Enter.
    t.ClickPreset(1);
    t.OnPump([&](int pump) {
      if (pump == 3) {
        t.ClickPreset(1);  // the group is disabled: nothing happens
        t.Type(t.w.eAlt, "5", true);
        QCOMPARE(t.w.eAlt->text(), QString("5"));
        QCOMPARE(t.w.RadioGroup1->ItemIndex(), -1);
        QVERIFY(KVUGraphiques::Running);
      }
    });
    t.Click(t.w.sbStart);
    QCOMPARE(t.w.eAltitude->Text(), QString("Crashed"));
  }

  void enterWhilePausedRedrawsInside() {
    Window t;
    int redrawn = 0;
    t.OnPump([&](int pump) {
      if (pump == 5) t.Click(t.w.sbPause);
      if (pump == 7) {
        t.Type(t.w.eAlt, "404", true);  // a nested static redraw
        ++redrawn;
        QVERIFY(!KVUGraphiques::Running);
        QVERIFY(KVUGraphiques::Paused);
        QVERIFY(t.w.RadioGroup1->isEnabled());
        QCOMPARE(t.w.eAltitude->Text(), QString("0"));
      }
      if (pump == 9) {
        QVERIFY(KVUGraphiques::Paused);  // the outer run still waits
        t.Click(t.w.sbStart);
      }
    });
    t.Click(t.w.sbStart);
    QCOMPARE(redrawn, 1);
    QCOMPARE(t.w.eAltitude->Text(), QString("Crashed"));
    QVERIFY(t.Idle());
  }

  void fanOfPasses() {
    Window t;
    t.HoldShift(true);
    QVERIFY(ui::IsShiftDown());
    t.Click(t.w.sbStart, Qt::ShiftModifier);
    t.HoldShift(false);
    QCOMPARE(t.w.StringGrid1->RowCount(), 2);
    QCOMPARE(t.Cell(0, 1), QString(" 0"));
    QCOMPARE(t.w.eDuree->Text(), QString("00:00:00"));
    QCOMPARE(t.w.eMaxAlt->Text(), QString("27792"));  // the highest over all eight passes
    QVERIFY(t.Idle());
    // The other passes draw red.
    const QImage& image = t.w.Image1->Surface().Image();
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
      for (int x = 0; x < image.width() && !red; ++x)
        red = (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    QVERIFY(red);
  }

  void stopInTheFanEndsPassOneOnly() {
    Window t;
    t.OnPump([&](int pump) {
      if (pump == 3) t.Click(t.w.sbStop);
    });
    t.HoldShift(true);
    t.Click(t.w.sbStart, Qt::ShiftModifier);
    t.HoldShift(false);
    // Pass 4, at 1.3 times the speed, is the one that climbs to 27792 km.
    QCOMPARE(t.w.eMaxAlt->Text(), QString("27792"));
    QVERIFY(t.Idle());
  }

  void closingEndsTheRun_data() {
    QTest::addColumn<bool>("paused");
    QTest::newRow("animating") << false;
    QTest::newRow("paused") << true;
  }
  void closingEndsTheRun() {
    QFETCH(bool, paused);
    Window t;
    t.OnPump([&](int pump) {
      if (pump == 4 && paused) t.Click(t.w.sbPause);
      if (pump == 6) t.w.close();
    });
    t.Click(t.w.sbStart);
    QVERIFY(!KVUGraphiques::Running && !KVUGraphiques::Paused);
    QVERIFY(!t.w.isVisible());
    QVERIFY(t.DataRows() < 100);
  }

  // The keys do what a click does, wherever the focus is, leave it there, and do nothing while
  // their button is disabled: F5 starts, F6 pauses, F7 stops, F5 resumes, Ctrl++ and Ctrl+-
  // zoom, F8 is g=0.
  void keysWhereverTheFocusIs_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("g=0 button") << "Button1";
    QTest::newRow("speed field") << "eSpeed";
    QTest::newRow("table") << "StringGrid1";
    QTest::newRow("explanation") << "mmExplications";
    QTest::newRow("legend") << "Memo1";
  }
  void keysWhereverTheFocusIs() {
    QFETCH(QString, focus);
    Window t;
    QWidget* target = t.w.findChild<QWidget*>(focus);
    target->setFocus();
    const QString speed = t.w.eSpeed->text();
    const QString legend = t.w.Memo1->toPlainText();
    bool paused = false, resumed = false, zeroGravity = false;
    t.OnPump([&](int pump) {
      if (pump == 2) {
        t.Key(Qt::Key_F5);  // Start is disabled while the run animates: no second run
        t.Key(Qt::Key_F6);
      } else if (pump == 3) {
        paused = KVUGraphiques::Paused;
        t.Key(Qt::Key_F7);  // Stop is disabled while paused
        t.Key(Qt::Key_F6);  // and so is Pause
        t.Key(Qt::Key_F5);
        resumed = KVUGraphiques::Running && !KVUGraphiques::Paused;
      } else if (pump == 5) {
        t.Key(Qt::Key_F8);
      } else if (pump == 6) {
        zeroGravity = KVUGraphiques::ZeroGravity;
        t.Key(Qt::Key_F7);
      }
    });
    t.Key(Qt::Key_F5);
    QVERIFY(paused);
    QVERIFY(resumed);
    QVERIFY(zeroGravity);
    QCOMPARE(t.DataRows(), 41);  // stopped in the pump after step 40: the pause cost no step
    QVERIFY(t.Idle());
    QCOMPARE(QApplication::focusWidget(), target);
    t.Key(Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - 1 / 1.2) < 1e-12);
    t.Key(Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - 1) < 1e-12);
    QVERIFY(t.AnyPixelLit());  // redrawn at the new scale
    QCOMPARE(QApplication::focusWidget(), target);
    QCOMPARE(t.w.eSpeed->text(), speed);  // no key reached a field as typing
    QCOMPARE(t.w.Memo1->toPlainText(), legend);
  }

  // Shift with the Start key, as Shift with a click on Start, flies the fan with the GPS preset,
  // for that run only.
  void fanKey() {
    Window t;
    t.Key(Qt::Key_F5, Qt::ShiftModifier);
    QCOMPARE(t.w.eMaxAlt->Text(), QString("27792"));
    QCOMPARE(t.w.StringGrid1->RowCount(), 2);
    t.Key(Qt::Key_F5);
    QCOMPARE(t.DataRows(), 12538);
  }

  // A preset that has the focus is disabled by the run; it has the focus back afterwards.
  void focusBackAfterARun() {
    Window t;
    QRadioButton* preset = t.w.RadioGroup1->Button(1);
    preset->setFocus();
    QWidget* during = preset;
    t.OnPump([&](int pump) {
      if (pump == 1) during = QApplication::focusWidget();
    });
    t.Key(Qt::Key_F5);
    QCOMPARE(during, nullptr);
    QCOMPARE(QApplication::focusWidget(), preset);
    QVERIFY(t.Idle());
  }

  void presets_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("alt");
    QTest::newRow("IS Station") << 0 << "27600"
                                << "404";
    QTest::newRow("GPS satellite") << 1 << "14000"
                                   << "20200";
    QTest::newRow("GEO-S satellite") << 2 << "11066"
                                     << "35784";
  }
  void presets() {
    QFETCH(int, index);
    Window t;
    t.Click(t.w.sbZoomOut);
    t.Click(t.w.sbZoomOut);
    if (index == 1) t.ClickPreset(0);
    t.ClickPreset(index);
    QTEST(t.w.eSpeed->text(), "speed");
    QTEST(t.w.eAlt->text(), "alt");
    QVERIFY(t.w.eAltitude->Text().isEmpty() && t.w.eMaxAlt->Text().isEmpty() &&
            t.w.eDuree->Text().isEmpty());
    QVERIFY(std::fabs(KVUGraphiques::ZoomFactor - 1.44) < 1e-12);
    QVERIFY(t.Idle());
    // Typing one character deselects; the texts stay.
    t.w.eAlt->setFocus();
    QTest::keyClick(t.w.eAlt, Qt::Key_End);
    QTest::keyClick(t.w.eAlt, '1');
    QCOMPARE(t.w.RadioGroup1->ItemIndex(), -1);
    QTEST(t.w.eSpeed->text(), "speed");
  }

  void inputsNoFlightCanBeMadeOf_data() {
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("speed");
    QTest::newRow("altitude -6371") << "-6371"
                                    << "14000";
    QTest::newRow("altitude far below") << "-99999"
                                        << "14000";
    QTest::newRow("speed beyond 64 bits") << "20200"
                                          << "1E20";
    QTest::newRow("altitude beyond 64 bits") << "1E300"
                                             << "14000";
  }
  void inputsNoFlightCanBeMadeOf() {
    QFETCH(QString, alt);
    QFETCH(QString, speed);
    Window t;
    t.Type(t.w.eAlt, alt);
    t.Type(t.w.eSpeed, speed);
    t.Click(t.w.sbStart);
    QVERIFY(t.Idle());
    QVERIFY(t.w.RadioGroup1->isEnabled());
    QCOMPARE(t.DataRows(), 1);
    QCOMPARE(t.w.eDuree->Text(), QString("00:00:00"));
    t.Type(t.w.eAlt, alt, true);  // Enter too leaves the window idle
    QVERIFY(t.Idle());
  }
};

QTEST_MAIN(TestWindowRuns)
#include "tst_windowruns.moc"
