// SPDX-License-Identifier: GPL-3.0-or-later
// The trajectory pixels read back from a real surface: colours by pass, the yellow mirror of
// the satellite presets, the last-pixel test and positions outside the surface.
#include <QtTest>

#include <cmath>

#include "PixelProbe.h"
#include "base/Colours.h"
#include "base/PlotSentinels.h"
#include "base/RoundEven.h"
#include "scene/Trajectory.h"
#include "ui/canvas/DrawingSurface.h"

using base::Colour;
using ui::DrawingSurface;
namespace colours = base::colours;

namespace {

// The GPS view on the 1051 × 448 drawing area.
constexpr int kW = 1051, kH = 448, kCentreX = 526, kCentreY = 224;

struct Pixel {
  int x;
  int y;
  Colour colour;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Pixel>)

class TestTrajectory : public QObject {
  Q_OBJECT

 private slots:
  void firstStep_data();
  void firstStep();
  void samePixelDrawsOnce();
  void outsideStillBecomesLastPoint();
};

void TestTrajectory::firstStep_data() {
  QTest::addColumn<int>("pass");
  QTest::addColumn<int>("preset");
  QTest::addColumn<double>("xSat");
  QTest::addColumn<double>("ySat");
  QTest::addColumn<QList<Pixel>>("expected");
  QTest::newRow("GPS, pass 1") << 1 << 1 << 324.0 << 223.6
                               << QList<Pixel>{{324, 224, colours::White},
                                               {727, 224, colours::Yellow}};
  QTest::newRow("GEO-S, pass 1") << 1 << 2 << 324.0 << 223.6
                                 << QList<Pixel>{{324, 224, colours::White},
                                                 {727, 224, colours::Yellow}};
  // 2 × 526 − 100.5 − 1 = 950.5 goes to the even 950; the rounded pixel 100 would give 951.
  QTest::newRow("mirror from the floating position")
      << 1 << 1 << 100.5 << 50.0
      << QList<Pixel>{{100, 50, colours::White}, {950, 398, colours::Yellow}};
  QTest::newRow("no preset") << 1 << -1 << 324.0 << 223.6
                             << QList<Pixel>{{324, 224, colours::White}};
  QTest::newRow("IS Station") << 1 << 0 << 324.0 << 223.6
                              << QList<Pixel>{{324, 224, colours::White}};
  for (const int pass : {-3, -2, -1, 0, 2, 3, 4})
    QTest::addRow("fan pass %d", pass)
        << pass << 1 << 324.0 << 223.6 << QList<Pixel>{{324, 224, colours::Red}};
  // Neither the pixel nor its mirror (x 1056) lies on the surface.
  QTest::newRow("outside") << 1 << 1 << -5.0 << 120.0 << QList<Pixel>{};
}

// The first step of a run, from the initial last pixel: exactly the expected pixels appear.
void TestTrajectory::firstStep() {
  QFETCH(int, pass);
  QFETCH(int, preset);
  QFETCH(double, xSat);
  QFETCH(double, ySat);
  QFETCH(QList<Pixel>, expected);
  DrawingSurface s(kW, kH);
  std::int32_t lastX = base::InitialLastPlotX, lastY = base::InitialLastPlotY;
  scene::PlotPoint(s, kCentreX, kCentreY, pass, xSat, ySat, preset, lastX, lastY);
  for (const Pixel& p : expected) QCOMPARE(s.Pixel(p.x, p.y), p.colour);
  QCOMPARE(probe::CountOther(s, colours::Black, probe::Whole(s)), expected.size());
  QCOMPARE(lastX, base::RoundEvenInt(xSat));
  QCOMPARE(lastY, base::RoundEvenInt(ySat));
}

void TestTrajectory::samePixelDrawsOnce() {
  DrawingSurface s(kW, kH);
  std::int32_t lastX = base::InitialLastPlotX, lastY = base::InitialLastPlotY;
  scene::PlotPoint(s, kCentreX, kCentreY, 1, 100.4, 50.2, 1, lastX, lastY);
  QVERIFY(!s.TakeDirtyRect().isEmpty());
  // Overdrawn since, the pixel is not written again, and neither is its mirror.
  s.SetPixel(100, 50, colours::Navy);
  (void)s.TakeDirtyRect();
  scene::PlotPoint(s, kCentreX, kCentreY, 1, 99.6, 49.9, 1, lastX, lastY);
  QVERIFY(s.TakeDirtyRect().isEmpty());
  QCOMPARE(s.Pixel(100, 50), colours::Navy);
  QCOMPARE(lastX, 100);
  QCOMPARE(lastY, 50);

  // The last pixel carries over between passes: a later pass landing on it draws nothing.
  scene::PlotPoint(s, kCentreX, kCentreY, 2, 100.0, 50.0, 1, lastX, lastY);
  QVERIFY(s.TakeDirtyRect().isEmpty());
}

void TestTrajectory::outsideStillBecomesLastPoint() {
  DrawingSurface s(kW, kH);
  std::int32_t lastX = base::InitialLastPlotX, lastY = base::InitialLastPlotY;
  scene::PlotPoint(s, kCentreX, kCentreY, 1, -5.0, 120.0, 1, lastX, lastY);
  QCOMPARE(lastX, -5);
  QCOMPARE(lastY, 120);
  QVERIFY(s.TakeDirtyRect().isEmpty());

  // A run-away position saturates instead of overflowing and draws nothing.
  scene::PlotPoint(s, kCentreX, kCentreY, 1, 1e300, -1e300, 1, lastX, lastY);
  scene::PlotPoint(s, kCentreX, kCentreY, 1, std::nan(""), 3.0, 1, lastX, lastY);
  QCOMPARE(probe::CountOther(s, colours::Black, probe::Whole(s)), 0);

  scene::PlotPoint(s, kCentreX, kCentreY, 1, 20.0, 224.0, -1, lastX, lastY);
  QCOMPARE(s.Pixel(20, 224), colours::White);
}

QTEST_MAIN(TestTrajectory)
#include "tst_trajectory.moc"
