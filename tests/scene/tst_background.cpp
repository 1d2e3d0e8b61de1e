// SPDX-License-Identifier: GPL-3.0-or-later
// The background read back from a real surface: the legend rows present or absent with their
// texts and samples, the reference circle and the Earth, and what covers what.
#include <QtTest>

#include <cmath>
#include <memory>

#include "PixelProbe.h"
#include "base/Colours.h"
#include "scene/Background.h"
#include "scene/ViewGeometry.h"
#include "ui/canvas/DrawingSurface.h"

using base::Colour;
using ui::DrawingSurface;
namespace colours = base::colours;

namespace {

constexpr int kW = 1051, kH = 448;
constexpr int kRadiusGps = 6371 + 20200;

// The text drawn alone, white on black at (5, y): what the legend row must look like.
struct Reference {
  std::unique_ptr<DrawingSurface> surface;
  QRect cell;
};

Reference DrawAlone(int y, const char* text, unsigned style) {
  Reference r{std::make_unique<DrawingSurface>(kW, kH), {}};
  r.surface->SetBrushColor(colours::Black);
  r.surface->SetFontColor(colours::White);
  r.surface->SetFontName("Courier new");
  r.surface->SetFontStyle(style);
  r.surface->TextOut(5, y, text);
  r.cell = r.surface->TakeDirtyRect();
  return r;
}

int WidthOf(const char* text, unsigned style) {
  DrawingSurface s(1, 1);
  s.SetFontName("Courier new");
  s.SetFontStyle(style);
  return s.TextWidth(text);
}

QString CompareRow(const DrawingSurface& s, int y, const char* text, unsigned style) {
  const Reference ref = DrawAlone(y, text, style);
  if (ref.cell.isEmpty()) return QStringLiteral("empty reference");
  return probe::CompareRegion(s, ref.cell.topLeft(), *ref.surface, ref.cell.topLeft(),
                              ref.cell.size());
}

// An 80-pixel sample line after a text of width w on the row at y: x from 25 + w to 104 + w,
// the end pixel at 105 + w unset.
void VerifySampleLine(const DrawingSurface& s, int y, int w, Colour colour) {
  const QRect line(QPoint(25 + w, y + 5), QPoint(104 + w, y + 5));
  // Searched right of the text's cell, which holds white glyphs too.
  QCOMPARE(probe::BoundingBox(s, colour, QRect(QPoint(5 + w, y), QPoint(323, y + 11))), line);
  QCOMPARE(probe::CountOther(s, colour, line), 0);
  QCOMPARE(s.Pixel(105 + w, y + 5), colours::Black);
}

}  // namespace

class TestBackground : public QObject {
  Q_OBJECT

 private slots:
  void staticRedraw();
  void legendsWhileRunning_data();
  void legendsWhileRunning();
  void circleCoversFirstRowWhenZoomedIn();
  void earthCoversTheLegend();
};

// A static redraw of the GPS view: the two regular rows and their samples, the reference circle
// and the Earth, and nothing else.
void TestBackground::staticRedraw() {
  const scene::ViewGeometry g = scene::ComputeViewGeometry(kW, kH, 6371, kRadiusGps, 1.0);
  DrawingSurface s(kW, kH);
  scene::DrawBackground(s, g.CentreX, g.CentreY, g.OrbitRadiusPx, g.EarthRadiusPx, false, 1);

  QString diff = CompareRow(s, 5, "NASA SciFi orbit  : ", scene::Regular);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  diff = CompareRow(s, 25, "Planet EARTH      : ", scene::Regular);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  QCOMPARE(probe::CountOther(s, colours::Black, QRect(QPoint(0, 45), QPoint(323, kH - 1))), 0);

  VerifySampleLine(s, 5, WidthOf("NASA SciFi orbit  : ", scene::Regular), colours::Grey);

  const int w = WidthOf("Planet EARTH      : ", scene::Regular);
  const QRect legend(0, 0, 250, 45);
  QCOMPARE(probe::BoundingBox(s, colours::Aqua, legend),
           QRect(QPoint(25 + w, 20), QPoint(44 + w, 39)));
  QCOMPARE(s.Pixel(35 + w, 30), colours::Navy);

  const QRect scene(250, 0, kW - 250, kH);
  QCOMPARE(probe::BoundingBox(s, colours::Grey, scene), QRect(QPoint(324, 22), QPoint(727, 425)));
  QCOMPARE(probe::BoundingBox(s, colours::Aqua, scene), QRect(QPoint(478, 176), QPoint(573, 271)));
  QCOMPARE(s.Pixel(526, 224), colours::Navy);
  QCOMPARE(s.Pixel(400, 224),
           colours::Black);  // the circle's fill between its outline and the Earth

  // The trajectory and the vectors set their own pens; the background leaves the Earth's.
  QCOMPARE(s.PenColor(), colours::Aqua);
}

void TestBackground::legendsWhileRunning_data() {
  QTest::addColumn<int>("preset");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("no preset") << -1 << "  Meteorite      : "
                             << "";
  QTest::newRow("IS Station") << 0 << "  Space Station  : "
                              << "";
  QTest::newRow("GPS") << 1 << "  GPS Satellite 1   : "
                       << "  GPS Satellite 2   : ";
  QTest::newRow("GEO-S") << 2 << "  GEO-S Satellite 1 : "
                         << "  GEO-S Satellite 2 : ";
  QTest::newRow("any index above 1") << 5 << "  GEO-S Satellite 1 : "
                                     << "  GEO-S Satellite 2 : ";
}

void TestBackground::legendsWhileRunning() {
  QFETCH(int, preset);
  QFETCH(QString, first);
  QFETCH(QString, second);
  const QByteArray firstText = first.toUtf8(), secondText = second.toUtf8();
  const scene::ViewGeometry g = scene::ComputeViewGeometry(kW, kH, 6371, kRadiusGps, 1.0);
  DrawingSurface s(kW, kH);
  scene::DrawBackground(s, g.CentreX, g.CentreY, g.OrbitRadiusPx, g.EarthRadiusPx, true, preset);

  struct Row {
    int y;
    const char* text;
    unsigned style;
  };
  QList<Row> rows{{5, "NASA SciFi orbit  : ", scene::Regular},
                  {25, "Planet EARTH      : ", scene::Bold},
                  {55, "Universal gravity trajectories", scene::Bold},
                  {75, firstText.constData(), scene::Bold}};
  if (!second.isEmpty()) rows.append({95, secondText.constData(), scene::Bold});
  for (const Row& row : rows) {
    const QString diff = CompareRow(s, row.y, row.text, row.style);
    QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("row %1: %2").arg(row.y).arg(diff)));
  }

  VerifySampleLine(s, 5, WidthOf("NASA SciFi orbit  : ", scene::Regular), colours::Grey);
  VerifySampleLine(s, 75, WidthOf(firstText.constData(), scene::Bold), colours::White);
  if (second.isEmpty())
    QCOMPARE(probe::CountOther(s, colours::Black, QRect(QPoint(0, 90), QPoint(323, kH - 1))), 0);
  else
    VerifySampleLine(s, 95, WidthOf(secondText.constData(), scene::Bold), colours::Yellow);

  const int w = WidthOf("Planet EARTH      : ", scene::Bold);
  QCOMPARE(probe::BoundingBox(s, colours::Aqua, QRect(0, 0, 250, 45)),
           QRect(QPoint(25 + w, 20), QPoint(44 + w, 39)));
}

// Zoomed in as far as it goes, the reference circle reaches the top-left corner: its black fill
// and grey outline cover part of the first row, while the Earth's row, written after the circle,
// lies whole on its own cell.
void TestBackground::circleCoversFirstRowWhenZoomedIn() {
  const scene::ViewGeometry g =
      scene::ComputeViewGeometry(kW, kH, 6371, kRadiusGps, std::pow(1.2, -9));
  DrawingSurface s(kW, kH);
  scene::DrawBackground(s, g.CentreX, g.CentreY, g.OrbitRadiusPx, g.EarthRadiusPx, false, 1);

  const Reference first = DrawAlone(5, "NASA SciFi orbit  : ", scene::Regular);
  QVERIFY(!probe::CompareRegion(s, first.cell.topLeft(), *first.surface, first.cell.topLeft(),
                                first.cell.size())
               .isEmpty());
  QVERIFY(!probe::BoundingBox(s, colours::Grey, first.cell).isEmpty());
  const QString diff = CompareRow(s, 25, "Planet EARTH      : ", scene::Regular);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

// The Earth is drawn last: larger than the reference circle, it hides the circle and every
// legend row it reaches.
void TestBackground::earthCoversTheLegend() {
  DrawingSurface s(300, 200);
  scene::DrawBackground(s, 60, 30, 20.0, 50.0, true, 1);
  const QRect earth(QPoint(10, -20), QPoint(109, 79));
  QCOMPARE(probe::BoundingBox(s, colours::Grey, earth), QRect());
  QCOMPARE(s.Pixel(60, 60), colours::Navy);  // within the cell of the row at y = 55
  QCOMPARE(s.Pixel(60, 79), colours::Aqua);
}

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
