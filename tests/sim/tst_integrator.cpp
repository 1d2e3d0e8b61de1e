// SPDX-License-Identifier: GPL-3.0-or-later
// The integrator: the worked GPS example step by step, the gravity law's branch edges, the
// zero-gravity step and the flights' ends.
#include <QtTest>

#include "scene/ViewGeometry.h"
#include "sim/Integrator.h"
#include "sim/NumberText.h"

using namespace sim;

namespace {

// Pass 1 of the GPS preset on a 1000 x 800 area at zoom 1, set up as a pass start does.
RunState GpsPassStart() {
  RunState s;
  s.alt0 = 20200;
  s.rE = 6371;
  s.OrbitRadiusKm = 26571;
  ApplyView(s, scene::ComputeViewGeometry(1000, 800, 6371, 26571, 1.0));
  PlaceAtStart(s);
  s.PassIndex = 1;
  s.iV = 14000.0 / 3600;
  s.AltOffset = AltOffsetSentinel;
  s.g0 = 9.81;
  return s;
}

bool Close(double actual, double expected, double relative = 1e-9) {
  if (expected == 0) return std::fabs(actual) <= 1e-12;
  return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

}  // namespace

class TestIntegrator : public QObject {
  Q_OBJECT
 private slots:
  void workedExample_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<QVector<double>>("expected");
    // adjacent, opposite, hypotenuse, hPix, hKm, AltFactor, gR, fV, sine, cosine, VertSpeed,
    // xSat and ySat after the move.
    QTest::newRow("StepCount 0") << 0
                                 << QVector<double>{360,
                                                    0,
                                                    360,
                                                    273.68183357796,
                                                    20200,
                                                    17.394044973199,
                                                    0.56398612370587,
                                                    0.00056398612370587,
                                                    0,
                                                    1,
                                                    3.8888888888889,
                                                    140.00000764123,
                                                    399.94731097813};
    QTest::newRow("StepCount 1") << 1 << QVector<double>{359.99999235877,     0.052689021865945,
                                                         359.99999621451,     273.68182979248,
                                                         20199.9997206,       17.394044607394,
                                                         0.56398613556676,    0.0011279722592726,
                                                         0.00014635839561106, 0.99999998928961,
                                                         3.8888887238007,     140.00002292368,
                                                         399.89462195850};
  }
  void workedExample() {
    QFETCH(int, step);
    QFETCH(QVector<double>, expected);
    RunState s = GpsPassStart();
    QCOMPARE(s.xSat, 140.0);
    QCOMPARE(s.ySat, 400.0);
    double vertSpeed = s.iV;
    for (int i = 0; i <= step; ++i) {
      MeasureAltitude(s);
      FallAndMove(s, false, vertSpeed);
    }
    // Table values carry 11 to 14 significant digits; 1e-9 relative holds for all but hKm of
    // step 1, which the table gives to 12 digits.
    const double actual[] = {
        s.adjacent_side, s.opposite_side, s.hypotenuse, s.hPix, s.hKm, s.AltFactor, s.gR, s.fV,
        s.sine,          s.cosine,        vertSpeed,    s.xSat, s.ySat};
    const char* names[] = {"adjacent",  "opposite", "hypotenuse", "hPix", "hKm",
                           "AltFactor", "gR",       "fV",         "sine", "cosine",
                           "VertSpeed", "xSat",     "ySat"};
    for (int i = 0; i < 13; ++i)
      QVERIFY2(Close(actual[i], expected[i]),
               qPrintable(QString("%1: %2").arg(names[i]).arg(actual[i], 0, 'g', 15)));
    // The first step calibrates: the offset is set once and never taken for the sentinel again.
    QVERIFY(std::fabs(s.AltOffset) < 1e-10);
    QVERIFY(!IsAltOffsetSentinel(s.AltOffset));
  }

  void gravityBranches() {
    const double E = 100;
    double factor = -1;
    // hPix exactly a hundredth of the Earth radius takes the formula (the test is strict).
    QCOMPARE(GravityAt(9.81, 1.0, E, factor), 9.81 / (1.01 * 1.01));
    QVERIFY(Close(factor, 1.0201));
    // On or inside the surface gravity is g0.
    QCOMPARE(GravityAt(9.81, 0.0, E, factor), 9.81);
    QCOMPARE(GravityAt(9.81, -50.0, E, factor), 9.81);
    // The cut-off is inclusive: AltFactor equal to 10000 g0 still gives g0 / AltFactor.
    // (1 + h/E)^2 = 10000 * 1 for g0 = 1 at h = 99 E.
    QCOMPARE(GravityAt(1.0, 99 * E, E, factor), 1.0 / 10000);
    QCOMPARE(GravityAt(1.0, 99.001 * E, E, factor), 0.0);
    // g0 = 0 gives no gravity in both branches.
    QCOMPARE(GravityAt(0.0, 10.0, E, factor), 0.0);
    QCOMPARE(GravityAt(0.0, -1.0, E, factor), 0.0);
    // Arithmetic failures give 0: a zero Earth radius, an overflowing square.
    QCOMPARE(GravityAt(9.81, 5.0, 0.0, factor), 0.0);
    QCOMPARE(GravityAt(9.81, 1e300, 1.0, factor), 0.0);
  }

  void zeroGravityKeepsItsVelocity() {
    RunState s = GpsPassStart();
    double vertSpeed = s.iV;
    for (int i = 0; i < 50; ++i) {
      MeasureAltitude(s);
      FallAndMove(s, false, vertSpeed);
    }
    const RunState before = s;
    const double vertBefore = vertSpeed;
    double dx = 0, dy = 0;
    for (int i = 0; i < 3; ++i) {
      const double x = s.xSat, y = s.ySat;
      MeasureAltitude(s);
      FallAndMove(s, true, vertSpeed);
      QCOMPARE(s.gR, 0.0);
      if (i > 0) {
        QVERIFY(Close(s.xSat - x, dx, 1e-6));
        QVERIFY(Close(s.ySat - y, dy, 1e-6));
      }
      dx = s.xSat - x;
      dy = s.ySat - y;
    }
    QCOMPARE(s.fV, before.fV);
    QCOMPARE(s.sine, before.sine);
    QCOMPARE(s.cosine, before.cosine);
    QCOMPARE(vertSpeed, vertBefore);
  }
};

QTEST_APPLESS_MAIN(TestIntegrator)
#include "tst_integrator.moc"
