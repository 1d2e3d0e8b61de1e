// SPDX-License-Identifier: GPL-3.0-or-later
// The run procedure through a windowless host: the flights' ends, the static redraw, the fan of
// passes, Stop, Pause and g=0 acting at chosen pumps, and the inputs no flight can be made of.
#include <QtTest>

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/NumberText.h"
#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "tools/HeadlessHost.h"

using namespace sim;
using tools::HeadlessHost;

namespace {

// Records what the flight-independent hand-overs see of every pass.
struct Recording {
  std::vector<double> passSpeeds;  // PassSpeed of every pass that ran a step
  std::set<int> passes;
  std::vector<int> gaugeSteps, lineSteps;  // StepCount of pass 1's gauge updates and marks
  int otherPlots = 0, otherLines = 0;      // pixels and marks of the other passes
  std::map<int, int> stepsOfPass;          // steps that went on, of the passes that count none
  explicit Recording(HeadlessHost& host) {
    host.OnGauges = [this](const RunState& s) {
      if (passes.insert(s.PassIndex).second) passSpeeds.push_back(s.PassSpeed);
      if (s.PassIndex == 1) gaugeSteps.push_back(s.StepCount);
    };
    host.OnPlot = [this](const RunState& s) {
      if (s.PassIndex == 1) return;
      ++otherPlots;
      ++stepsOfPass[s.PassIndex];
    };
    host.OnLines = [this](const RunState& s) {
      if (s.PassIndex == 1)
        lineSteps.push_back(s.StepCount);
      else
        ++otherLines;
    };
  }
};

RunInputs Start(HeadlessHost& host) {
  KVUGraphiques::Running = true;  // as the Start button leaves it
  return tools::RunSimulation(host);
}

}  // namespace

class TestRunSimulation : public QObject {
  Q_OBJECT
 private slots:
  void init() { KVUGraphiques::ResetUnitState(); }

  void flightEnds_data() {
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("duration");
    QTest::addColumn<QString>("maxAlt");
    QTest::newRow("GPS 1000x800") << "20200"
                                  << "14000" << 1000 << 800 << "Crashed" << 12538 << 12538
                                  << "20201";
    QTest::newRow("GPS 1692x910") << "20200"
                                  << "14000" << 1692 << 910 << "Crashed" << 12569 << 12569
                                  << "20202";
    QTest::newRow("lost at 100000 km/h")
        << "20200"
        << "100000" << 1000 << 800 << "Lost" << 74012 << 74012 << "1989085";
    QTest::newRow("negative speed: below the centre line at once")
        << "20200"
        << "-100" << 1000 << 800 << "Crashed" << 1 << 1 << "20200";
    QTest::newRow("altitude 0 ends at the first step")
        << "0"
        << "14000" << 1000 << 800 << "Crashed" << 1 << 1 << "0";
    QTest::newRow("negative altitude ends at the first step")
        << "-100"
        << "14000" << 1000 << 800 << "Crashed" << 1 << 1 << "0";
  }
  void flightEnds() {
    QFETCH(QString, alt);
    QFETCH(QString, speed);
    QFETCH(int, width);
    QFETCH(int, height);
    HeadlessHost host(alt.toStdString(), speed.toStdString(), {width, height});
    std::vector<RunState> firstRows;
    host.OnRow = [&](const RunState& s) {
      if (firstRows.empty()) firstRows.push_back(s);
    };
    QCOMPARE(Start(host), RunInputs::Flown);
    QTEST(QString::fromStdString(host.Altitude), "outcome");
    QTEST(int(host.DataRows), "rows");
    QTEST(int(host.DurationSteps), "duration");
    QTEST(QString::fromStdString(host.MaxAlt), "maxAlt");
    QCOMPARE(host.LostMessages, host.Altitude == "Lost" ? 1 : 0);
    QVERIFY(!KVUGraphiques::Running);
    QVERIFY(host.PresetsEnabled);
    QVERIFY(!host.RunButtonsActive);
    QVERIFY(host.GridVisible);
    QCOMPARE(host.AltitudeColour, 0xFFFFFFu);
    QCOMPARE(firstRows.at(0).StepCount, 0);
    QCOMPARE(firstRows.at(0).hKm, std::max(0.0, alt.toDouble()));
  }

  // Beyond 32 bits the altitude text reads as 1, however high the object is: once the climb
  // crosses 2147483647 km the maximum stays at the last altitude below and the field is red.
  void anAltitudeBeyond32BitsReadsAsOne() {
    HeadlessHost host("2147000000", "2147483647", {1000, 800});
    host.Gravity = "1E8";  // strong enough to hold the object this far out
    std::string lastBelow;
    int rowsBeyond = 0, redRowsBeyond = 0;
    host.OnRow = [&](const RunState& s) {
      if (s.hKm < 2147483647.5) {
        lastBelow = host.Altitude;
        return;
      }
      ++rowsBeyond;
      if (host.AltitudeColour == 0x0000FFu) ++redRowsBeyond;
    };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Lost"));
    QVERIFY(rowsBeyond > 1000);
    QCOMPARE(redRowsBeyond, rowsBeyond);
    QCOMPARE(host.MaxAlt, lastBelow);
  }

  // Text that someone else puts into the maximum's field during a run is read as text: a number
  // (blanks allowed) holds as the maximum, anything that is not a 32-bit integer counts as 0 and
  // the next step's altitude replaces it.
  void foreignTextInTheMaximum_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holds");
    QTest::newRow("higher number") << "30000" << true;
    QTest::newRow("with blanks") << " 99999 " << true;
    QTest::newRow("lower number") << "5" << false;
    QTest::newRow("emptied, as a zoom step does") << "" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("beyond 32 bits") << "2147483648" << false;
    QTest::newRow("long text") << "1234567890123456789012345678901234567890" << false;
  }
  void foreignTextInTheMaximum() {
    QFETCH(QString, text);
    QFETCH(bool, holds);
    HeadlessHost host("20200", "14000", {1000, 800});
    const std::string foreign = text.toStdString();
    host.OnPump = [&] {
      if (host.Pumps == 100) host.MaxAlt = foreign;  // after step 990, on the way down
    };
    int checkedRows = 0;
    host.OnRow = [&](const RunState& s) {
      if (s.StepCount <= 990) return;
      ++checkedRows;
      if (holds) {
        QCOMPARE(host.MaxAlt, foreign);
        QCOMPARE(host.AltitudeColour, 0x0000FFu);  // below it: red
      } else if (s.StepCount == 991) {
        QCOMPARE(host.MaxAlt, host.Altitude);  // the altitude became the maximum
        QCOMPARE(host.AltitudeColour, 0x00FF00u);
      }
    };
    Start(host);
    QCOMPARE(host.DataRows, 12538);
    QCOMPARE(checkedRows, 12538 - 991);
    QCOMPARE(host.MaxAlt == foreign, holds);
  }

  // The run made for the headless host and the run through the interface are one run: the same
  // rows, fields and hand-overs. Unwatched (no callbacks), the run made for the host reads no
  // field back, and ends with the same fields.
  void theInterfaceFliesTheSameRun_data() {
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("fan");
    QTest::addColumn<bool>("watched");
    QTest::newRow("GPS") << "14000" << false << true;
    QTest::newRow("lost") << "100000" << false << true;
    QTest::newRow("fan") << "14000" << true << true;
    QTest::newRow("GPS unwatched") << "14000" << false << false;
    QTest::newRow("lost unwatched") << "100000" << false << false;
    QTest::newRow("fan unwatched") << "14000" << true << false;
  }
  void theInterfaceFliesTheSameRun() {
    QFETCH(QString, speed);
    QFETCH(bool, fan);
    QFETCH(bool, watched);
    struct Flown {
      std::vector<std::array<double, 6>> rows;
      std::string altitude, maxAlt;
      base::Colour colour = 0;
      std::int32_t duration = 0, rowCount = 0;
      int plots = 0, gauges = 0, lines = 0;
      long pumps = 0;
      bool operator==(const Flown&) const = default;
    };
    const auto fly = [&](bool throughTheInterface) {
      KVUGraphiques::ResetUnitState();
      KVUGraphiques::Running = true;
      HeadlessHost host("20200", speed.toStdString(), {1000, 800});
      host.ShiftDown = fan;
      host.Preset = 1;
      Flown f;
      if (watched) {
        host.OnRow = [&](const RunState& s) {
          f.rows.push_back({double(s.StepCount), s.hKm, s.gR, s.fV, s.xSat, s.ySat});
        };
        host.OnPlot = [&](const RunState&) { ++f.plots; };
        host.OnGauges = [&](const RunState&) { ++f.gauges; };
        host.OnLines = [&](const RunState&) { ++f.lines; };
      }
      if (throughTheInterface)
        sim::RunSimulation(static_cast<RunHost&>(host));
      else
        tools::RunSimulation(host);
      f.altitude = host.Altitude;
      f.maxAlt = host.MaxAlt;
      f.colour = host.AltitudeColour;
      f.duration = host.DurationSteps;
      f.pumps = host.Pumps;
      f.rowCount = host.DataRows;
      return f;
    };
    const Flown made = fly(false), interfaced = fly(true);
    QCOMPARE(made.rows.empty(), !watched);
    QVERIFY(made == interfaced);
  }

  void speedZeroFallsToTheSurface() {
    HeadlessHost host("20200", "0", {1000, 800});
    double lowestY = 0;
    host.OnRow = [&](const RunState& s) { lowestY = s.ySat; };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Crashed"));
    QVERIFY(host.DataRows > 1000);
    QVERIFY(lowestY > 399.0 && lowestY <= 400.0);  // straight along the centre line
  }

  void staticRedraw() {
    HeadlessHost host(" 20200,4", "14000,6", {1051, 448});
    host.ShiftDown = true;
    host.Preset = 1;
    KVUGraphiques::ZeroGravity = true;
    QCOMPARE(tools::RunSimulation(host), RunInputs::Flown);
    QCOMPARE(host.Speed, std::string("14001"));
    QCOMPARE(host.Alt, std::string("20200"));
    QCOMPARE(host.Altitude, std::string("0"));
    QCOMPARE(host.MaxAlt, std::string("0"));
    QCOMPARE(host.DataRows, 0);
    QCOMPARE(host.DurationSteps, 0);
    QCOMPARE(host.Pumps, 0L);
    QVERIFY(!KVUGraphiques::ZeroGravity);
    QCOMPARE(KVUGraphiques::VertSpeed, 14001.0 / 3600);
    QVERIFY(host.PresetsEnabled);
  }

  void unparsableInputsReadAsZero() {
    HeadlessHost host("abc", "14000.5");
    tools::RunSimulation(host);
    QCOMPARE(host.Alt, std::string("0"));
    QCOMPARE(host.Speed, std::string("0"));
  }

  void fanOfPasses() {
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    host.ShiftDown = true;
    host.Preset = 1;
    Start(host);
    const std::vector<double> speeds{8400, 9800, 11200, 12600, 14000, 15400, 16800, 18200};
    QCOMPARE(seen.passSpeeds, speeds);
    QCOMPARE(host.DurationSteps, 0);  // the last pass never advances its counter
    QVERIFY(!KVUGraphiques::Running);
  }

  // The gauges follow every tenth step, the marks every thousandth, and only while running.
  void vectorDisplaySteps() {
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    Start(host);
    std::vector<int> tenths, thousandths;
    for (int n = 0; n < 12538; n += 10) tenths.push_back(n);
    for (int n = 0; n < 12538; n += 1000) thousandths.push_back(n);
    QCOMPARE(seen.gaugeSteps, tenths);
    QCOMPARE(seen.lineSteps, thousandths);
  }

  void theEndingStepSetsGaugesButDrawsNoMarks() {
    HeadlessHost host("0", "14000", {1000, 800});
    const Recording seen(host);
    Start(host);
    QCOMPARE(seen.gaugeSteps, std::vector<int>{0});
    QVERIFY(seen.lineSteps.empty());
  }

  void zeroGravityFreezesTheGauges() {
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    host.OnPump = [&] {
      if (host.Pumps == 100) KVUGraphiques::ZeroGravity = true;  // after step 990
    };
    Start(host);
    QCOMPARE(seen.gaugeSteps.back(), 990);
    QVERIFY(seen.lineSteps.size() > 1);  // the marks go on with the frozen lengths
  }

  void theFanMarksEveryStepOfTheOtherPasses() {
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    host.ShiftDown = true;
    host.Preset = 1;
    Start(host);
    QVERIFY(seen.otherPlots > 1000);
    QCOMPARE(seen.otherLines, seen.otherPlots);
  }

  void shiftGivesOnePassOtherwise_data() {
    QTest::addColumn<int>("preset");
    QTest::newRow("no preset") << -1;
    QTest::newRow("IS Station") << 0;
    QTest::newRow("GEO-S satellite") << 2;
  }
  void shiftGivesOnePassOtherwise() {
    QFETCH(int, preset);
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    host.ShiftDown = true;
    host.Preset = preset;
    Start(host);
    QCOMPARE(seen.passes, std::set<int>{1});
  }

  void stopEndsTheRunWithoutAnOutcome() {
    HeadlessHost host("20200", "14000", {1000, 800});
    int lastRow = -1;
    host.OnRow = [&](const RunState& s) { lastRow = s.StepCount; };
    host.OnPump = [&] {
      if (host.Pumps == 51) KVUGraphiques::Running = false;  // Stop, in the pump of step 500
    };
    Start(host);
    QCOMPARE(lastRow, 500);
    QCOMPARE(host.DurationSteps, 501);
    QVERIFY(ReadInt32(host.Altitude).has_value());  // the last altitude, no outcome word
  }

  void stopInTheFanEndsPassOneOnly() {
    HeadlessHost host("20200", "14000", {1000, 800});
    const Recording seen(host);
    host.ShiftDown = true;
    host.Preset = 1;
    host.OnPump = [&] {
      if (host.Pumps == 3) KVUGraphiques::Running = false;
    };
    Start(host);
    QCOMPARE(seen.passes, (std::set<int>{-3, -2, -1, 0, 1, 2, 3, 4}));
  }

  void pauseThenStartGoesOn() {
    HeadlessHost host("20200", "14000", {1000, 800});
    long pausedAt = 0;
    host.OnPump = [&] {
      if (host.Pumps == 20) {
        KVUGraphiques::Paused = true;
        pausedAt = host.Pumps;
      } else if (pausedAt && host.Pumps == pausedAt + 5) {
        QVERIFY(host.GridVisible);  // shown while the run waits
        KVUGraphiques::Paused = false;
      }
    };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Crashed"));
    QCOMPARE(host.DataRows, 12538);  // the same run went on
  }

  // Pause in the pump of the step that ended the run: no wait follows, and the pause must not
  // outlive the run, or the next Start would only clear it.
  void aPauseNoWaitFollowsEndsWithItsRun() {
    HeadlessHost host("0", "14000", {1000, 800});
    host.OnPump = [&] { KVUGraphiques::Paused = true; };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Crashed"));
    QVERIFY(!KVUGraphiques::Paused);
    QVERIFY(!KVUGraphiques::Running);
  }

  // Edited during pass 1 to fly above the drawn circle without speed, the later passes of the
  // fan would swing across the Earth centre along the centre line without pumping, for days:
  // each is ended once it swings.
  void silentPassesEnd() {
    HeadlessHost host("20200", "14000", {1000, 800});
    Recording seen(host);
    host.ShiftDown = true;
    host.Preset = 1;
    host.OnPump = [&] {
      if (host.Pumps != 2) return;
      host.Alt = "27600";
      // Not `= "0"`: GCC 12 at -O2 reports a false overlap in that one-character assignment
      // (-Wrestrict, its bug 105651).
      host.Speed = std::string("0");
      KVUGraphiques::Running = false;
    };
    Start(host);
    QVERIFY(!KVUGraphiques::Running);
    QCOMPARE(seen.passes, (std::set<int>{-3, -2, -1, 0, 1, 2, 3, 4}));
    // They fall to the centre for some 7700 steps and end at their first swings across it.
    for (int pass : {2, 3, 4}) QVERIFY(seen.stepsOfPass[pass] < 10000);
  }

  // A silent pass that the stop rule ends is flown to that end, however long it takes: edited
  // to 24700 km/h during pass 1, passes 2 to 4 fly until they are lost, and the maximum
  // altitude over all passes is where gravity falls below its cut-off.
  void silentPassesFlyToTheirEnd() {
    HeadlessHost host("20200", "14000");
    Recording seen(host);
    host.ShiftDown = true;
    host.Preset = 1;
    host.OnPump = [&] {
      if (host.Pumps == 2) host.Speed = "24700";
    };
    Start(host);
    QCOMPARE(seen.stepsOfPass[2], 609969);
    QCOMPARE(seen.stepsOfPass[3], 426471);
    QCOMPARE(seen.stepsOfPass[4], 342741);
    QCOMPARE(host.MaxAlt, std::string("1989035"));
  }

  void zeroGravityDuringTheRunEndsOutOfView() {
    HeadlessHost host("20200", "14000", {1000, 800});
    host.OnPump = [&] {
      if (host.Pumps == 100) KVUGraphiques::ZeroGravity = true;
    };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Out of view"));
  }

  // An emptied gravity field reads as no gravity at the next step, also after a text too long to
  // be kept: the object is lost at once.
  void anEmptiedGravityFieldIsNoGravity() {
    HeadlessHost host("20200", "14000", {1000, 800});
    host.Gravity = "9,8100000000000000000000000000000000000";
    host.OnPump = [&] {
      if (host.Pumps == 5) host.Gravity.clear();  // after step 40
    };
    Start(host);
    QCOMPARE(host.Altitude, std::string("Lost"));
    QCOMPARE(host.DataRows, 41);
  }

  void zeroGravityWhileIdleHasNoEffect() {
    KVUGraphiques::ZeroGravity = true;
    HeadlessHost host("20200", "14000", {1000, 800});
    Start(host);
    QCOMPARE(host.DataRows, 12538);
  }

  void noFlightCanBeDefined_data() {
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("verdict");
    QTest::newRow("altitude -6371") << "-6371"
                                    << "14000" << 1000 << 800 << int(RunInputs::AltitudeTooLow);
    QTest::newRow("altitude below -6371")
        << "-100000"
        << "14000" << 1000 << 800 << int(RunInputs::AltitudeTooLow);
    QTest::newRow("no width") << "20200"
                              << "14000" << 0 << 800 << int(RunInputs::NoDrawingArea);
    QTest::newRow("no height") << "20200"
                               << "14000" << 1000 << 0 << int(RunInputs::NoDrawingArea);
    QTest::newRow("speed beyond 64 bits")
        << "20200"
        << "1E19" << 1000 << 800 << int(RunInputs::NotAWholeNumber);
    QTest::newRow("altitude beyond 64 bits")
        << "-1E300"
        << "14000" << 1000 << 800 << int(RunInputs::NotAWholeNumber);
    QTest::newRow("orbit radius beyond 32 bits")
        << "2147483647"
        << "14000" << 1000 << 800 << int(RunInputs::OrbitRadiusTooLarge);
  }
  void noFlightCanBeDefined() {
    QFETCH(QString, alt);
    QFETCH(QString, speed);
    QFETCH(int, width);
    QFETCH(int, height);
    HeadlessHost host(alt.toStdString(), speed.toStdString(), {width, height});
    host.Preset = 1;
    QTEST(int(Start(host)), "verdict");
    QVERIFY(!KVUGraphiques::Running);
    QVERIFY(host.PresetsEnabled);
    QVERIFY(!host.RunButtonsActive);
    QCOMPARE(host.DataRows, 0);
    QCOMPARE(host.DurationSteps, 0);
  }

  // Tiny areas put the start point on the Earth centre; the flight must still end cleanly.
  void tinyAreas() {
    for (int side = 1; side <= 6; ++side) {
      HeadlessHost host("20200", "14000", {side, side});
      QCOMPARE(Start(host), RunInputs::Flown);
      QVERIFY(!KVUGraphiques::Running);
    }
  }
};

QTEST_APPLESS_MAIN(TestRunSimulation)
#include "tst_runsimulation.moc"
