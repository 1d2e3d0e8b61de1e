// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees: the drawing area's pixels as the X server shows them, read back from the
// server after control is back in the event loop, compared pixel for pixel with the drawing
// surface (and, for the static scene, with a scene drawn apart from the window at the view
// geometry of the inputs). The window runs maximised under the suite's window manager.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <array>
#include <cstdlib>
#include <memory>

#include "DrawingAreaOnScreen.h"
#include "ScreenPixels.h"
#include "X11TestMain.h"
#include "app/KVUGraphiques.h"
#include "scene/Background.h"
#include "scene/ViewGeometry.h"
#include "sim/Constants.h"
#include "sim/UnitState.h"
#include "tests/support/StartedWindow.h"
#include "ui/canvas/DrawingSurface.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/Panel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/SpeedButton.h"

namespace {

// The screen must show what was drawn, to the pixel.
#define VERIFY_NO_DIFFERENCE(difference)                \
  do {                                                  \
    const Difference seen = (difference);               \
    QVERIFY2(seen.count == 0, qPrintable(seen.Said())); \
  } while (false)

// What the tests do to the window between two looks at the screen.
enum class Act {
  PresetIss,
  PresetGeo,
  PresetGps,
  ZoomIn,
  ZoomOut,
  EnterInAltitude,
  GpsRun,
  Fan,
  ZeroGravityRun,
  LostRun,
  EnterWhilePaused,
};

}  // namespace

Q_DECLARE_METATYPE(Act)

class X11ScreenTruthTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void startUpShowsTheStaticScene();
  void staticRedrawsReachTheScreen_data();
  void staticRedrawsReachTheScreen();
  void runsReachTheScreen_data();
  void runsReachTheScreen();
  void hoverInAndOutShowsThePictureAgain();
  void resultFieldsReachTheScreen();
  void theWholeWindowIsItsOwnPaint();

 private:
  Difference ScreenAgainst(const QImage& expected) {
    return DrawingAreaAgainst(*screen_, *w_, expected);
  }
  Difference AwaitScreen(const QImage& expected) {
    return AwaitDrawingArea(*screen_, *w_, expected);
  }
  QImage Surface() const { return w_->Image1->Surface().Image(); }
  // The static scene for these inputs, drawn on a surface of its own.
  QImage StaticScene(int altitudeKm, int presetIndex) const;
  void Perform(Act act);
  void ClickPreset(int index);
  void TypeInto(ui::Edit* field, const QString& text);
  // Calls `act` with the number of the pump, from 1, at every event pump of a run.
  void OnPump(std::function<void(int)> act);

  QByteArray display_;
  std::unique_ptr<ScreenPixels> screen_;
  std::unique_ptr<TKVFGraphiques> w_;
  int pumps_ = 0;
  Difference seenWhilePaused_;
  QRect messageFrame_;
};

void X11ScreenTruthTest::initTestCase() {
  display_ = qgetenv("DISPLAY");
  screen_ = std::make_unique<ScreenPixels>(display_);
  QVERIFY(screen_->IsOpen());
  w_ = std::make_unique<TKVFGraphiques>();
  support::StartWindow(*w_, 1);
  QTRY_VERIFY_WITH_TIMEOUT(w_->isMaximized() && w_->width() > 1279, 5000);
}

void X11ScreenTruthTest::cleanup() {
  ui::SetPumpHook({});
  screen_->HoldShift(false);
}

QImage X11ScreenTruthTest::StaticScene(int altitudeKm, int presetIndex) const {
  const QSize area = w_->Image1->size();
  const scene::ViewGeometry view =
      scene::ComputeViewGeometry(area.width(), area.height(), sim::EarthRadiusKm,
                                 sim::EarthRadiusKm + altitudeKm, KVUGraphiques::ZoomFactor);
  ui::DrawingSurface scene(area.width(), area.height());
  scene::DrawBackground(scene, view.CentreX, view.CentreY, view.OrbitRadiusPx, view.EarthRadiusPx,
                        false, presetIndex);
  return scene.Image();
}

void X11ScreenTruthTest::ClickPreset(int index) {
  QTest::mouseClick(w_->RadioGroup1->Button(index), Qt::LeftButton);
}

void X11ScreenTruthTest::TypeInto(ui::Edit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
}

void X11ScreenTruthTest::OnPump(std::function<void(int)> act) {
  pumps_ = 0;
  ui::SetPumpHook([this, act] { act(++pumps_); });
}

void X11ScreenTruthTest::Perform(Act act) {
  switch (act) {
    case Act::PresetIss: ClickPreset(0); break;
    case Act::PresetGeo: ClickPreset(2); break;
    case Act::PresetGps: ClickPreset(1); break;
    case Act::ZoomIn: QTest::mouseClick(w_->sbZoomIn, Qt::LeftButton); break;
    case Act::ZoomOut: QTest::mouseClick(w_->sbZoomOut, Qt::LeftButton); break;
    case Act::EnterInAltitude:
      TypeInto(w_->eAlt, QStringLiteral("15000"));
      QTest::keyClick(w_->eAlt, Qt::Key_Return);
      break;
    case Act::GpsRun:
      ClickPreset(1);
      QTest::mouseClick(w_->sbStart, Qt::LeftButton);
      break;
    case Act::Fan:
      ClickPreset(1);
      // Shift held on the server, where the run procedure reads the key's state.
      screen_->HoldShift(true);
      QTest::mouseClick(w_->sbStart, Qt::LeftButton, Qt::ShiftModifier);
      screen_->HoldShift(false);
      break;
    case Act::ZeroGravityRun:
      ClickPreset(1);
      OnPump([this](int pump) {
        if (pump == 30) QTest::mouseClick(w_->Button1, Qt::LeftButton);
      });
      QTest::mouseClick(w_->sbStart, Qt::LeftButton);
      break;
    case Act::LostRun: {
      ClickPreset(1);
      TypeInto(w_->eSpeed, QStringLiteral("100000"));
      // The real message comes up over the drawing area; it is closed once it is on the screen.
      QTimer closer;
      QObject::connect(&closer, &QTimer::timeout, [this, &closer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const QWindow* shown = box != nullptr ? box->windowHandle() : nullptr;
        if (shown == nullptr || !shown->isExposed() || shown->frameMargins().isNull()) return;
        closer.stop();
        QTest::qWait(300);  // the box is placed once its frame is there
        messageFrame_ = screen_->FrameOnScreen(static_cast<std::uint32_t>(box->winId()));
        box->button(QMessageBox::Ok)->click();
      });
      closer.start(50);
      QTest::mouseClick(w_->sbStart, Qt::LeftButton);
      break;
    }
    case Act::EnterWhilePaused:
      ClickPreset(1);
      OnPump([this](int pump) {
        if (pump == 100) QTest::mouseClick(w_->sbPause, Qt::LeftButton);
        // The pause waits and pumps: Enter redraws the scene inside the paused run.
        if (pump == 102) {
          TypeInto(w_->eAlt, QStringLiteral("25000"));
          QTest::keyClick(w_->eAlt, Qt::Key_Return);
        }
        // Two pumps later the redraw has been handed to the screen; the run is still paused.
        if (pump == 104) {
          seenWhilePaused_ = ScreenAgainst(Surface());
          QTest::mouseClick(w_->sbStart, Qt::LeftButton);
        }
      });
      QTest::mouseClick(w_->sbStart, Qt::LeftButton);
      break;
  }
}

void X11ScreenTruthTest::startUpShowsTheStaticScene() {
  const QImage expected = StaticScene(20200, 1);
  VERIFY_NO_DIFFERENCE(AwaitScreen(expected));
  QCOMPARE(Surface(), expected);
}

void X11ScreenTruthTest::staticRedrawsReachTheScreen_data() {
  QTest::addColumn<Act>("act");
  QTest::addColumn<int>("altitude");
  QTest::addColumn<int>("preset");
  QTest::newRow("IS Station") << Act::PresetIss << 404 << 0;
  QTest::newRow("GEO-S satellite") << Act::PresetGeo << 35784 << 2;
  QTest::newRow("GPS satellite") << Act::PresetGps << 20200 << 1;
  QTest::newRow("zoom in") << Act::ZoomIn << 20200 << 1;
  QTest::newRow("zoom out") << Act::ZoomOut << 20200 << 1;
  QTest::newRow("Enter in the altitude") << Act::EnterInAltitude << 15000 << -1;
}

void X11ScreenTruthTest::staticRedrawsReachTheScreen() {
  QFETCH(Act, act);
  QFETCH(int, altitude);
  QFETCH(int, preset);
  Perform(act);
  const QImage expected = StaticScene(altitude, preset);
  VERIFY_NO_DIFFERENCE(AwaitScreen(expected));
  QCOMPARE(Surface(), expected);
}

void X11ScreenTruthTest::runsReachTheScreen_data() {
  QTest::addColumn<Act>("act");
  QTest::addColumn<QString>("outcome");
  QTest::newRow("GPS run") << Act::GpsRun << "Crashed";
  QTest::newRow("fan") << Act::Fan << "";
  QTest::newRow("g=0") << Act::ZeroGravityRun << "Out of view";
  QTest::newRow("lost, message closed") << Act::LostRun << "Lost";
  QTest::newRow("Enter while paused") << Act::EnterWhilePaused << "Crashed";
}

void X11ScreenTruthTest::runsReachTheScreen() {
  QFETCH(Act, act);
  QFETCH(QString, outcome);
  seenWhilePaused_ = {0, {}};
  Perform(act);
  QVERIFY(!KVUGraphiques::Running && w_->sbStart->isEnabled());
  // The fan's later passes overwrite pass 1's outcome with their altitudes.
  if (!outcome.isEmpty()) QCOMPARE(w_->eAltitude->Text(), outcome);
  VERIFY_NO_DIFFERENCE(seenWhilePaused_);  // the redraw inside the pause
  VERIFY_NO_DIFFERENCE(AwaitScreen(Surface()));
  if (act == Act::LostRun) {
    // The message stands in the middle of the screen, its frame included.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect& f = messageFrame_;
    // Left less right margin, top less bottom: 0, or 1 where the room left over is odd.
    const int offX = (f.left() - screen.left()) - (screen.right() - f.right());
    const int offY = (f.top() - screen.top()) - (screen.bottom() - f.bottom());
    QVERIFY2(f.isValid() && std::abs(offX) <= 1 && std::abs(offY) <= 1,
             qPrintable(QString::asprintf("the message's frame (%d, %d, %d x %d) is off the "
                                          "centre by %d, %d half pixels",
                                          f.x(), f.y(), f.width(), f.height(), offX, offY)));
  }
}

void X11ScreenTruthTest::hoverInAndOutShowsThePictureAgain() {
  ClickPreset(1);
  QTest::mouseClick(w_->sbStart, Qt::LeftButton);
  VERIFY_NO_DIFFERENCE(AwaitScreen(Surface()));
  // The real pointer onto the docked text: the text covers the drawing area and the pointer
  // jumps to the screen's centre, inside it.
  QCursor::setPos(w_->mmExplications->mapToGlobal(w_->mmExplications->rect().center()));
  QTRY_COMPARE_WITH_TIMEOUT(w_->mmExplications->geometry(), w_->Image1->geometry(), 3000);
  // Off the enlarged text, onto the top band: the text goes back to the side panel.
  QCursor::setPos(w_->mapToGlobal(QPoint(w_->width() / 2, 10)));
  QTRY_COMPARE_WITH_TIMEOUT(w_->mmExplications->parentWidget(), static_cast<QWidget*>(w_->Panel2),
                            3000);
  VERIFY_NO_DIFFERENCE(AwaitScreen(Surface()));
}

void X11ScreenTruthTest::resultFieldsReachTheScreen() {
  // Each field as its own paint draws it, on a picture no screen is involved in, against the
  // screen: at pumps of a run, once the pump has handled its events, and after the run.
  const std::array<ui::OutputField*, 3> fields{w_->eAltitude, w_->eMaxAlt, w_->eDuree};
  QStringList seen;
  int compared = 0;
  const auto compare = [&](const QString& when) {
    for (ui::OutputField* field : fields) {
      const Difference d = ControlAgainst(*screen_, *field, field->grab().toImage());
      ++compared;
      if (d.count != 0)
        seen << QStringLiteral("%1, %2 \"%3\": %4")
                    .arg(when, field->objectName(), field->Text(), d.Said());
    }
  };
  ClickPreset(1);
  OnPump([&](int pump) {
    if (pump % 200 != 0) return;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    compare(QStringLiteral("pump %1").arg(pump));
  });
  QTest::mouseClick(w_->sbStart, Qt::LeftButton);
  ui::SetPumpHook({});
  QCOMPARE(w_->eAltitude->Text(), QStringLiteral("Crashed"));
  QTest::qWait(50);
  compare(QStringLiteral("after the run"));
  QVERIFY2(seen.isEmpty(), qPrintable(seen.join(QLatin1Char('\n'))));
  QVERIFY(compared >= 5 * 3);
}

void X11ScreenTruthTest::theWholeWindowIsItsOwnPaint() {
  // Every control, the ones over the drawing area included, as the window paints itself apart
  // from any screen: after a static redraw, after a run and after the explanation has been
  // lifted over the drawing area and put back.
  const auto compare = [this](const char* when) {
    QTest::qWait(50);
    const Difference d = ControlAgainst(*screen_, *w_, w_->grab().toImage());
    QVERIFY2(d.count == 0, qPrintable(QString::fromLatin1(when) + ": " + d.Said()));
  };
  ClickPreset(0);
  compare("after a static redraw");
  ClickPreset(1);
  QTest::mouseClick(w_->sbStart, Qt::LeftButton);
  compare("after a run");
  QCursor::setPos(w_->mmExplications->mapToGlobal(w_->mmExplications->rect().center()));
  QTRY_COMPARE_WITH_TIMEOUT(w_->mmExplications->geometry(), w_->Image1->geometry(), 3000);
  QCursor::setPos(w_->mapToGlobal(QPoint(w_->width() / 2, 10)));
  QTRY_COMPARE_WITH_TIMEOUT(w_->mmExplications->parentWidget(), static_cast<QWidget*>(w_->Panel2),
                            3000);
  compare("after the explanation went back");
}

int main(int argc, char** argv) { return RunOnSuiteDisplay<X11ScreenTruthTest>(argc, argv); }

#include "tst_X11ScreenTruth.moc"
