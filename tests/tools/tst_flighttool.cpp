// SPDX-License-Identifier: GPL-3.0-or-later
// The headless flight tool as a user calls it: its summary line, its CSV table and its exit
// statuses for unusable arguments and for inputs no flight can be made of.
#include <QProcess>
#include <QtTest>

namespace {
struct Result {
  int status;
  QString out, err;
};
Result Fly(const QStringList& arguments) {
  QProcess p;
  p.start(ORBITSIM_FLIGHT, arguments);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}
}  // namespace

class TestFlightTool : public QObject {
  Q_OBJECT
 private slots:
  void summary_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    QTest::newRow("GPS 1000x800")
        << QStringList{"--summary", "--area", "1000x800", "20200", "14000"}
        << "outcome=Crashed duration_s=12538 rows=12538 max_alt_km=20201\n";
    QTest::newRow("lost") << QStringList{"--summary", "--area", "1000x800", "20200", "100000"}
                          << "outcome=Lost duration_s=74012 rows=74012 max_alt_km=1989085\n";
    QTest::newRow("decimal comma, negative first argument")
        << QStringList{"--summary", "-100", "14000,4"}
        << "outcome=Crashed duration_s=1 rows=1 max_alt_km=0\n";
  }
  void summary() {
    QFETCH(QStringList, arguments);
    const Result r = Fly(arguments);
    QCOMPARE(r.status, 0);
    QTEST(r.out, "line");
  }

  void table() {
    const Result r = Fly({"--area", "1000x800", "20200", "14000"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 12538 + 2);
    QCOMPARE(lines.first(), QString("time_s,alt_km,galt_ms2,fv_kms,x_px,y_px"));
    QVERIFY(lines.at(1).startsWith("0,20200,0.564,0.001,140.0000076412"));
    QCOMPARE(lines.last(),
             QString("# outcome=Crashed duration_s=12538 rows=12538 max_alt_km=20201"));
  }

  void zoomSteps() {
    // Beyond nine clicks the buttons no longer step, so 9 and 20 clicks fly the same flight.
    const Result nine = Fly({"--summary", "--zoom-steps", "9", "20200", "14000"});
    const Result twenty = Fly({"--summary", "--zoom-steps", "20", "20200", "14000"});
    QCOMPARE(nine.status, 0);
    QCOMPARE(nine.out, twenty.out);
    QVERIFY(Fly({"--summary", "--zoom-steps", "-9", "20200", "14000"}).out != nine.out);
  }

  void failures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("no arguments") << QStringList{} << 2;
    QTest::newRow("one argument") << QStringList{"20200"} << 2;
    QTest::newRow("three arguments") << QStringList{"1", "2", "3"} << 2;
    QTest::newRow("unknown option") << QStringList{"--fast", "20200", "14000"} << 2;
    QTest::newRow("bad area") << QStringList{"--area", "big", "20200", "14000"} << 2;
    QTest::newRow("area without value") << QStringList{"20200", "14000", "--area"} << 2;
    QTest::newRow("bad zoom") << QStringList{"--zoom-steps", "1,5", "20200", "14000"} << 2;
    QTest::newRow("zoom with two signs")
        << QStringList{"--zoom-steps", "+-3", "20200", "14000"} << 2;
    QTest::newRow("altitude -6371") << QStringList{"-6371", "14000"} << 1;
    QTest::newRow("no width") << QStringList{"--area", "0x448", "20200", "14000"} << 1;
    QTest::newRow("beyond 64 bits") << QStringList{"20200", "1E30"} << 1;
  }
  void failures() {
    QFETCH(QStringList, arguments);
    const Result r = Fly(arguments);
    QTEST(r.status, "status");
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count('\n') >= 1, true);
    QVERIFY(r.err.startsWith("orbitsim-flight: "));
  }
};

QTEST_GUILESS_MAIN(TestFlightTool)
#include "tst_flighttool.moc"
