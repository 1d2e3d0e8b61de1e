// SPDX-License-Identifier: GPL-3.0-or-later
// The view geometry: scale, Earth centre and start point for the layout's drawing area at the
// zoom factors the buttons reach, the portrait area, and the edge rules.
#include <QtTest>

#include "scene/ViewGeometry.h"
#include "sim/Zoom.h"

using namespace scene;

namespace {
// The factor after k clicks of zoom in (k > 0) from 1.0, as the buttons step it.
double ZoomedIn(int k) {
  double f = 1.0;
  for (int i = 0; i < k; ++i) f = sim::SteppedZoom(f, u'+');
  return f;
}
}  // namespace

class TestViewGeometry : public QObject {
  Q_OBJECT
 private slots:
  void geometry_data() {
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("alt0");
    QTest::addColumn<int>("zoomInClicks");
    QTest::addColumn<double>("PixelsPerKm");
    QTest::addColumn<double>("EarthRadiusPx");
    QTest::addColumn<double>("OrbitRadiusPx");
    QTest::addColumn<int>("CentreX");
    QTest::addColumn<int>("CentreY");
    QTest::addColumn<double>("xSat");
    QTest::addColumn<double>("ySat");
    QTest::newRow("GPS zoom 1") << 1051 << 448 << 20200 << 0 << 0.0075872191 << 48.3382 << 201.6
                                << 526 << 224 << 324.0 << 224.0;
    QTest::newRow("GPS three in: top edge, circle fits")
        << 1051 << 448 << 20200 << 3 << 0.0131107147 << 83.5284 << 348.3648 << 526 << 368 << 178.0
        << 368.0;
    QTest::newRow("GPS six in: left edge and bottom fallback")
        << 1051 << 448 << 20200 << 6 << 0.0226553150 << 144.3370 << 601.9744 << 622 << 428 << 20.0
        << 428.0;
    QTest::newRow("IS Station zoom 1") << 1051 << 448 << 404 << 0 << 0.0297564576 << 189.5784
                                       << 201.6 << 526 << 224 << 324.0 << 224.0;
    QTest::newRow("portrait") << 448 << 1051 << 20200 << 0 << 0.0075872191 << 48.3382 << 201.6
                              << 224 << 526 << 22.0 << 526.0;
    QTest::newRow("deepest zoom in: centre beyond the right edge")
        << 1051 << 448 << 20200 << 9 << 0.0391483843 << 249.4143563 << 1040.2117 << 1060 << 428
        << 20.0 << 428.0;
  }
  void geometry() {
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, alt0);
    QFETCH(int, zoomInClicks);
    const double zoom = ZoomedIn(zoomInClicks);
    const ViewGeometry g = ComputeViewGeometry(W, H, 6371, 6371 + alt0, zoom);
    const StartPoint p = PassStartPoint(g.CentreX, g.CentreY, g.OrbitRadiusPx);
    auto close = [](double a, double b) { return std::fabs(a - b) <= 5e-5 * std::fabs(b); };
    QFETCH(double, PixelsPerKm);
    QFETCH(double, EarthRadiusPx);
    QFETCH(double, OrbitRadiusPx);
    QVERIFY2(close(g.PixelsPerKm, PixelsPerKm),
             qPrintable(QString::number(g.PixelsPerKm, 'g', 12)));
    QVERIFY2(close(g.EarthRadiusPx, EarthRadiusPx),
             qPrintable(QString::number(g.EarthRadiusPx, 'g', 12)));
    QVERIFY2(close(g.OrbitRadiusPx, OrbitRadiusPx),
             qPrintable(QString::number(g.OrbitRadiusPx, 'g', 12)));
    QTEST(int(g.CentreX), "CentreX");
    QTEST(int(g.CentreY), "CentreY");
    QTEST(p.xSat, "xSat");
    QTEST(p.ySat, "ySat");
  }

  void orbitRadiusIgnoresAltitude() {
    const ViewGeometry iss = ComputeViewGeometry(1051, 448, 6371, 6371 + 404, 1.0);
    const ViewGeometry gps = ComputeViewGeometry(1051, 448, 6371, 6371 + 20200, 1.0);
    QCOMPARE(iss.OrbitRadiusPx, 0.45 * 448);
    QCOMPARE(gps.OrbitRadiusPx, 0.45 * 448);
  }

  void centreRoundsToEven_data() {
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("CentreX");
    QTest::newRow("1051") << 1051 << 526;
    QTest::newRow("1053") << 1053 << 526;
    QTest::newRow("1049") << 1049 << 524;
  }
  void centreRoundsToEven() {
    QFETCH(int, W);
    QTEST(int(ComputeViewGeometry(W, 448, 6371, 26571, 1.0).CentreX), "CentreX");
  }

  void squareAreaUsesItsSide() {
    const ViewGeometry g = ComputeViewGeometry(600, 600, 6371, 26571, 1.0);
    QCOMPARE(g.OrbitRadiusPx, 0.45 * 600);
  }

  void leftEdgeStartsAtTwentyForEveryZoom() {
    for (int k = 6; k <= 9; ++k) {
      const ViewGeometry g = ComputeViewGeometry(1051, 448, 6371, 26571, ZoomedIn(k));
      QCOMPARE(PassStartPoint(g.CentreX, g.CentreY, g.OrbitRadiusPx).xSat, 20.0);
    }
  }

  // When RoundEven(OrbitRadiusPx) + 20 equals H exactly, the circle still counts as fitting.
  void topEdgeBoundIsStrict() {
    // 0.45 * 400 / zoom = 180 / zoom: a radius of 380 px, and 380 + 20 is the height.
    const ViewGeometry fits = ComputeViewGeometry(1000, 400, 6371, 26571, 180.0 / 380.0);
    QCOMPARE(std::lround(fits.OrbitRadiusPx), 380L);
    QCOMPARE(int(fits.CentreY), 400);
    const ViewGeometry over = ComputeViewGeometry(1000, 400, 6371, 26571, 0.46);
    QCOMPARE(int(over.CentreY), 400 - 20);
  }
};

QTEST_APPLESS_MAIN(TestViewGeometry)
#include "tst_viewgeometry.moc"
