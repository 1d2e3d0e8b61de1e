// SPDX-License-Identifier: GPL-3.0-or-later
// The window driven by the keyboard alone, on a real X server: a GPS run started, paused,
// resumed and stopped, zoom out and in, the fan and g=0, all by their keys and without a single
// mouse event. Each step is checked in the run flags and on the screen, in pixels read back from
// the server. The keys go to the window as the platform hands them over; Shift is never held on
// the server, so the fan's key alone must stand for Shift.
#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "DrawingAreaOnScreen.h"
#include "ScreenPixels.h"
#include "X11TestMain.h"
#include "app/KVUGraphiques.h"
#include "sim/UnitState.h"
#include "tests/support/StartedWindow.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/SpeedButton.h"
#include "ui/widgets/StringGrid.h"

namespace {

constexpr QRgb Yellow = 0xFFFF00;  // the table's cells
constexpr QRgb White = 0xFFFFFF;   // pass 1's trajectory
constexpr QRgb Red = 0xFF0000;     // the fan's other passes
constexpr QRgb Navy = 0x000080;    // the Earth

// Counts the mouse events the application sees, to show that none came.
class MouseEvents : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick: ++count; break;
      default: break;
    }
    return false;
  }
};

}  // namespace

class X11KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void gpsRunStartedPausedResumedAndStopped();
  void zoomOutAndIn();
  void fan();
  void zeroGravity();
  void cleanupTestCase();

 private:
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(w_->windowHandle(), key, modifiers);
  }
  // The pixels of a control as the server shows them.
  QImage OnScreen(const QWidget* control) {
    return screen_->Grab(static_cast<std::uint32_t>(w_->winId()),
                         QRect(control->mapTo(w_.get(), QPoint(0, 0)), control->size()));
  }
  static int Count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour;
    return n;
  }
  int TableCellPixels() { return Count(OnScreen(w_->StringGrid1), Yellow); }
  // Lets the event loop run until the drawing area on the screen is the surface, where no other
  // control lies above it.
  bool ScreenShowsTheSurface() {
    return AwaitDrawingArea(*screen_, *w_, w_->Image1->Surface().Image()).count == 0;
  }
  void OnPump(std::function<void(int)> act) {
    pumps_ = 0;
    ui::SetPumpHook([this, act] { act(++pumps_); });
  }
  bool Idle() const {
    return !KVUGraphiques::Running && !KVUGraphiques::Paused && w_->sbStart->isEnabled() &&
           !w_->sbPause->isEnabled() && !w_->sbStop->isEnabled();
  }

  std::unique_ptr<ScreenPixels> screen_;
  std::unique_ptr<TKVFGraphiques> w_;
  int pumps_ = 0;
  MouseEvents mouse_;
};

void X11KeyboardTest::initTestCase() {
  qApp->installEventFilter(&mouse_);
  screen_ = std::make_unique<ScreenPixels>(qgetenv("DISPLAY"));
  QVERIFY(screen_->IsOpen());
  w_ = std::make_unique<TKVFGraphiques>();
  support::StartWindow(*w_, 1);
  QVERIFY(QTest::qWaitForWindowActive(w_.get()));
  QCOMPARE(w_->RadioGroup1->ItemIndex(), 1);  // GPS satellite
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w_->Button1));
}

void X11KeyboardTest::cleanup() { ui::SetPumpHook({}); }

void X11KeyboardTest::gpsRunStartedPausedResumedAndStopped() {
  bool animating = false, paused = false, resumed = false;
  int tableWhileAnimating = -1, tableWhilePaused = -1, tableAfterResume = -1;
  bool drawnWhilePaused = false;
  OnPump([&](int pump) {
    if (pump == 20) {
      animating = KVUGraphiques::Running && !KVUGraphiques::Paused && !w_->sbStart->isEnabled();
      tableWhileAnimating = TableCellPixels();  // the table is hidden while the run animates
      Key(Qt::Key_F6);
    } else if (pump == 22) {
      // The pause shows the table with its last row; the trajectory so far is on the screen.
      paused = KVUGraphiques::Paused && w_->sbStart->isEnabled() && !w_->sbStop->isEnabled();
      tableWhilePaused = TableCellPixels();
      drawnWhilePaused = ScreenShowsTheSurface();
      Key(Qt::Key_F5);
    } else if (pump == 25) {
      resumed = KVUGraphiques::Running && !KVUGraphiques::Paused;
      tableAfterResume = TableCellPixels();
      Key(Qt::Key_F7);
    }
  });
  Key(Qt::Key_F5);
  QVERIFY(animating);
  QCOMPARE(tableWhileAnimating, 0);
  QVERIFY(paused);
  QVERIFY2(tableWhilePaused > 1000, qPrintable(QString::number(tableWhilePaused)));
  QVERIFY(drawnWhilePaused);
  QVERIFY(resumed);
  QCOMPARE(tableAfterResume, 0);
  // Stopped in the pump after step 220: no outcome word, the buttons idle, the table shown.
  QVERIFY(Idle());
  QCOMPARE(w_->StringGrid1->RowCount() - 1, 221);
  QVERIFY(w_->eAltitude->Text() != QStringLiteral("Crashed"));
  QVERIFY(ScreenShowsTheSurface());
  QTRY_VERIFY(TableCellPixels() > 1000);
  QVERIFY(Count(w_->Image1->Surface().Image(), White) > 0);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w_->Button1));
}

void X11KeyboardTest::zoomOutAndIn() {
  QVERIFY(ScreenShowsTheSurface());
  const int earth = Count(OnScreen(w_->Image1), Navy);
  QVERIFY(earth > 1000);
  Key(Qt::Key_Minus, Qt::ControlModifier);
  QVERIFY(qFuzzyCompare(KVUGraphiques::ZoomFactor, 1.2));
  QVERIFY(ScreenShowsTheSurface());
  // The Earth's disc shrinks by 1.2 across, by 1.44 in area.
  const int smaller = Count(OnScreen(w_->Image1), Navy);
  QVERIFY2(smaller < earth * 0.8 && smaller > earth * 0.6,
           qPrintable(QString::asprintf("%d, %d", earth, smaller)));
  Key(Qt::Key_Plus, Qt::ControlModifier);
  QVERIFY(qFuzzyCompare(KVUGraphiques::ZoomFactor, 1.0));
  QVERIFY(ScreenShowsTheSurface());
  QCOMPARE(Count(OnScreen(w_->Image1), Navy), earth);
}

void X11KeyboardTest::fan() {
  QVERIFY(!ui::IsShiftDown());  // Shift is not held where the run reads it
  Key(Qt::Key_F5, Qt::ShiftModifier);
  QVERIFY(Idle());
  // Eight passes: the fastest climbs far above the GPS orbit, and each pass after the first cut
  // the table back to its first row and left the duration at 0.
  QVERIFY2(w_->eMaxAlt->Text().toInt() > 25000, qPrintable(w_->eMaxAlt->Text()));
  QCOMPARE(w_->StringGrid1->RowCount(), 2);
  QCOMPARE(w_->eDuree->Text(), QStringLiteral("00:00:00"));
  QVERIFY(ScreenShowsTheSurface());
  QVERIFY(Count(OnScreen(w_->Image1), Red) > 1000);  // the passes at other speeds
}

void X11KeyboardTest::zeroGravity() {
  bool zeroGravity = false;
  OnPump([&](int pump) {
    if (pump == 30) {
      Key(Qt::Key_F8);
      zeroGravity = KVUGraphiques::ZeroGravity;
    }
  });
  Key(Qt::Key_F5);
  QVERIFY(zeroGravity);
  QVERIFY(Idle());
  QCOMPARE(w_->eAltitude->Text(), QStringLiteral("Out of view"));
  QVERIFY(ScreenShowsTheSurface());
  // Without gravity the object flies straight up and out: its track reaches the top edge,
  // which no orbit of this preset comes near.
  const QImage shown = OnScreen(w_->Image1);
  QVERIFY(Count(shown.copy(0, 0, shown.width(), 2), White) > 0);
}

void X11KeyboardTest::cleanupTestCase() { QCOMPARE(mouse_.count, 0); }

int main(int argc, char** argv) { return RunOnSuiteDisplay<X11KeyboardTest>(argc, argv); }

#include "tst_X11Keyboard.moc"
