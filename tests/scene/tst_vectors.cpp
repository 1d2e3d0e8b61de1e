// SPDX-License-Identifier: GPL-3.0-or-later
// The vector display: gauge values from the flight's speeds, and the four marks drawn on a real
// surface, in order and colour, with end points rounded from the floating position.
#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>

#include "PixelProbe.h"
#include "base/Colours.h"
#include "scene/Vectors.h"
#include "ui/canvas/DrawingSurface.h"

using base::Colour;
using ui::DrawingSurface;
namespace colours = base::colours;

namespace {

// A real surface that also notes every line drawn on it, with its colour.
class RecordingSurface final : public scene::Canvas {
 public:
  struct Line {
    Colour colour;
    QPoint from;
    QPoint to;
    bool operator==(const Line&) const = default;
  };

  explicit RecordingSurface(DrawingSurface& s) : s_(s) {}
  QList<Line> lines;

  int Width() const override { return s_.Width(); }
  int Height() const override { return s_.Height(); }
  void SetPenColor(Colour c) override { s_.SetPenColor(c); }
  Colour PenColor() const override { return s_.PenColor(); }
  void SetPenWidth(int w) override { s_.SetPenWidth(w); }
  void SetBrushColor(Colour c) override { s_.SetBrushColor(c); }
  void SetFontName(std::string_view n) override { s_.SetFontName(n); }
  void SetFontStyle(unsigned st) override { s_.SetFontStyle(st); }
  void SetFontColor(Colour c) override { s_.SetFontColor(c); }
  void SetPixel(int x, int y, Colour c) override { s_.SetPixel(x, y, c); }
  Colour Pixel(int x, int y) const override { return s_.Pixel(x, y); }
  void MoveTo(int x, int y) override { s_.MoveTo(x, y); }
  void LineTo(int x, int y) override {
    lines.append({s_.PenColor(), QPoint(s_.PenPos().x, s_.PenPos().y), QPoint(x, y)});
    s_.LineTo(x, y);
  }
  void Ellipse(int x1, int y1, int x2, int y2) override { s_.Ellipse(x1, y1, x2, y2); }
  void FillRect(int x1, int y1, int x2, int y2) override { s_.FillRect(x1, y1, x2, y2); }
  void TextOut(int x, int y, std::string_view t) override { s_.TextOut(x, y, t); }
  int TextWidth(std::string_view t) const override { return s_.TextWidth(t); }
  scene::PenPosition PenPos() const override { return s_.PenPos(); }

 private:
  DrawingSurface& s_;
};

}  // namespace

class TestVectors : public QObject {
  Q_OBJECT

 private slots:
  void gaugeValues_data();
  void gaugeValues();
  void segmentsInOrder();
  void endPointsFromTheFloatingPosition();
  void zeroLengthsDrawNothing();
};

void TestVectors::gaugeValues_data() {
  QTest::addColumn<double>("VertSpeed");
  QTest::addColumn<double>("fV");
  QTest::addColumn<double>("sine");
  QTest::addColumn<double>("cosine");
  QTest::addColumn<int>("inert");
  QTest::addColumn<int>("vGrav");
  QTest::addColumn<int>("hGrav");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  QTest::newRow("GPS first step") << 14000 / 3600.0 << 0.0 << 0.0 << 1.0 << 38 << 0 << 0;
  QTest::newRow("IS Station first step") << 27600 / 3600.0 << 0.0 << 0.0 << 1.0 << 76 << 0 << 0;
  QTest::newRow("GEO-S first step") << 11066 / 3600.0 << 0.0 << 0.0 << 1.0 << 30 << 0 << 0;
  QTest::newRow("beyond a full bar") << 12.0 << 0.0 << 0.0 << 0.0 << 120 << 0 << 0;
  // Floor, not truncation: just below zero gives -1, just below one tenth gives 0.
  QTest::newRow("fV sine -0.05") << 0.0 << 0.05 << -1.0 << 0.0 << 0 << -1 << 0;
  QTest::newRow("fV sine 0.0999") << 0.0 << 0.0999 << 1.0 << 0.0 << 0 << 0 << 0;
  QTest::newRow("components") << 1.0 << 2.0 << 0.6 << 0.8 << 10 << 12 << 16;
  QTest::newRow("run-away values saturate")
      << 1e300 << -inf << 1.0 << -1.0 << INT_MAX << INT_MIN << INT_MAX;
  QTest::newRow("NaN gives 0") << nan << nan << 1.0 << 1.0 << 0 << 0 << 0;
  QTest::newRow("zero times infinity") << 0.0 << inf << 0.0 << 1.0 << 0 << 0 << INT_MAX;
}

void TestVectors::gaugeValues() {
  QFETCH(double, VertSpeed);
  QFETCH(double, fV);
  QFETCH(double, sine);
  QFETCH(double, cosine);
  const scene::GaugeValues g = scene::VectorGaugeValues(VertSpeed, fV, sine, cosine);
  QTEST(g.Inert, "inert");
  QTEST(g.VGrav, "vGrav");
  QTEST(g.HGrav, "hGrav");
}

// Red to the right, aqua up, blue down, lime along their sum, each from the object's pixel;
// then the pen colour is back to what it was.
void TestVectors::segmentsInOrder() {
  DrawingSurface surface(300, 300);
  RecordingSurface s(surface);
  s.SetPenColor(colours::Silver);
  scene::DrawVectorLines(s, 100.0, 150.0, 20, 3, 5);
  using Line = RecordingSurface::Line;
  const QPoint o(100, 150);
  const QList<Line> expected{{colours::Red, o, QPoint(120, 150)},
                             {colours::Aqua, o, QPoint(100, 145)},
                             {colours::Blue, o, QPoint(100, 153)},
                             {colours::Lime, o, QPoint(120, 153)}};
  QCOMPARE(s.lines, expected);
  QCOMPARE(surface.PenColor(), colours::Silver);

  // Later segments lie over earlier ones: the origin shows the last.
  QCOMPARE(surface.Pixel(100, 150), colours::Lime);
  QCOMPARE(surface.Pixel(119, 150), colours::Red);
  QCOMPARE(surface.Pixel(100, 146), colours::Aqua);
  QCOMPARE(surface.Pixel(100, 152), colours::Blue);
  QCOMPARE(surface.Pixel(100, 145), colours::Black);  // end points are not set
  QCOMPARE(surface.Pixel(120, 153), colours::Black);
}

void TestVectors::endPointsFromTheFloatingPosition() {
  DrawingSurface surface(300, 300);
  RecordingSurface s(surface);
  // O rounds 100.5 to 100, the red end 101.5 to 102: two pixels long, not one.
  scene::DrawVectorLines(s, 100.5, 149.5, 1, 0, 100);
  QCOMPARE(s.lines.at(0).from, QPoint(100, 150));
  QCOMPARE(s.lines.at(0).to, QPoint(102, 150));
  QCOMPARE(s.lines.at(1).to, QPoint(100, 50));  // 49.5 goes to the even 50
  QCOMPARE(surface.Pixel(101, 150), colours::Lime);
  QCOMPARE(surface.Pixel(102, 150), colours::Black);
  QCOMPARE(probe::CountOther(surface, colours::Aqua, QRect(100, 51, 1, 99)), 0);  // 100 long
}

void TestVectors::zeroLengthsDrawNothing() {
  DrawingSurface s(300, 300);
  s.SetPenColor(colours::Navy);
  scene::DrawVectorLines(s, 100.0, 150.0, 0, 0, 0);
  QVERIFY(s.TakeDirtyRect().isEmpty());
  QCOMPARE(s.PenColor(), colours::Navy);

  // Only the upward inertia vector has a length: just an aqua line.
  scene::DrawVectorLines(s, 100.0, 150.0, 0, 0, 4);
  QCOMPARE(probe::BoundingBox(s, colours::Aqua, probe::Whole(s)), QRect(100, 147, 1, 4));
  QCOMPARE(probe::CountOther(s, colours::Black, probe::Whole(s)), 4);

  // Marks near an edge are clipped.
  scene::DrawVectorLines(s, 295.0, 2.0, 100, 100, 100);
  QCOMPARE(s.Pixel(299, 2), colours::Red);
}

QTEST_MAIN(TestVectors)
#include "tst_vectors.moc"
