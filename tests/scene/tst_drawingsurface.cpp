// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface's primitives: exact pixels, clipping of anything that reaches outside,
// the pen position, text cells and the dirty rectangle.
#include <QtTest>

#include <climits>
#include <cmath>
#include <cstdlib>

#include "PixelProbe.h"
#include "ui/canvas/DrawingSurface.h"

using base::Colour;
using ui::DrawingSurface;

namespace {

constexpr Colour kPen = 0x0000FF;
constexpr Colour kBrush = 0x800000;
constexpr Colour kFont = 0xFFFFFF;

// A big surface whose region at kOffset stands for a small surface with nothing clipped.
constexpr int kOffset = 200;

void Prepare(DrawingSurface& s) {
  s.SetPenColor(kPen);
  s.SetBrushColor(kBrush);
  s.SetFontColor(kFont);
}

}  // namespace

class TestDrawingSurface : public QObject {
  Q_OBJECT

 private slots:
  void newSurface();
  void colourConversion();
  void pixels_data();
  void pixels();
  void lines_data();
  void lines();
  void clippedShapes_data();
  void clippedShapes();
  void hugeLines_data();
  void hugeLines();
  void hugeShapesFillOnlyTheSurface();
  void referenceCircle();
  void degenerateShapesDrawNothing();
  void fillRectExcludesRightAndBottom();
  void textCellAndPen();
  void textStyles();
  void widthsFollowTheFont();
  void dirtyRect();
};

void TestDrawingSurface::newSurface() {
  DrawingSurface s(30, 20);
  QCOMPARE(s.Width(), 30);
  QCOMPARE(s.Height(), 20);
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), 0);
  QCOMPARE(s.PenPos().x, 0);
  QCOMPARE(s.PenPos().y, 0);
  QVERIFY(s.TakeDirtyRect().isEmpty());

  // A surface without pixels takes every call and draws nothing.
  DrawingSurface none(-4, 10);
  QCOMPARE(none.Width(), 0);
  none.SetPixel(0, 0, kPen);
  none.LineTo(10, 10);
  none.Ellipse(0, 0, 5, 5);
  none.FillRect(0, 0, 5, 5);
  none.TextOut(0, 0, "abc");
  QCOMPARE(none.Pixel(0, 0), Colour(0));
  QVERIFY(none.TakeDirtyRect().isEmpty());
}

void TestDrawingSurface::colourConversion() {
  QCOMPARE(ui::ToQColor(0x0000FF), QColor(255, 0, 0));
  QCOMPARE(ui::ToQColor(0xFF0000), QColor(0, 0, 255));
  QCOMPARE(ui::ToQColor(0x80FFFF), QColor(255, 255, 128));

  DrawingSurface s(4, 4);
  s.SetPixel(1, 2, 0x80FF80);  // pale green: red 128, green 255, blue 128
  QCOMPARE(QColor(s.Image().pixel(1, 2)), QColor(128, 255, 128));
  QCOMPARE(s.Pixel(1, 2), Colour(0x80FF80));
  s.SetPixel(2, 2, 0x0000FF);
  QCOMPARE(QColor(s.Image().pixel(2, 2)), QColor(255, 0, 0));
}

void TestDrawingSurface::pixels_data() {
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<bool>("inside");
  QTest::newRow("top-left") << 0 << 0 << true;
  QTest::newRow("bottom-right") << 29 << 19 << true;
  QTest::newRow("left of the surface") << -1 << 5 << false;
  QTest::newRow("right edge") << 30 << 5 << false;
  QTest::newRow("bottom edge") << 5 << 20 << false;
  QTest::newRow("far away") << INT_MIN << INT_MAX << false;
}

void TestDrawingSurface::pixels() {
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(bool, inside);
  DrawingSurface s(30, 20);
  s.MoveTo(7, 8);
  s.SetPixel(x, y, 0x00FFFF);
  QCOMPARE(s.Pixel(x, y), inside ? Colour(0x00FFFF) : Colour(0));
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), inside ? 1 : 0);
  QCOMPARE(s.TakeDirtyRect(), inside ? QRect(x, y, 1, 1) : QRect());
  QCOMPARE(s.PenPos().x, 7);  // a pixel does not move the pen
  QCOMPARE(s.PenPos().y, 8);
}

void TestDrawingSurface::lines_data() {
  QTest::addColumn<QPoint>("from");
  QTest::addColumn<QPoint>("to");
  QTest::newRow("right") << QPoint(5, 10) << QPoint(25, 10);
  QTest::newRow("left") << QPoint(25, 10) << QPoint(5, 10);
  QTest::newRow("down") << QPoint(8, 2) << QPoint(8, 30);
  QTest::newRow("up") << QPoint(8, 30) << QPoint(8, 2);
  QTest::newRow("diagonal") << QPoint(2, 2) << QPoint(30, 30);
  QTest::newRow("shallow") << QPoint(1, 3) << QPoint(38, 14);
  QTest::newRow("steep backwards") << QPoint(30, 35) << QPoint(21, 1);
  QTest::newRow("one step") << QPoint(4, 4) << QPoint(5, 5);
}

// Every line: one pixel per step along its longer axis, each within half a pixel of the ideal
// line, the start set, the end not, and the pen left at the end.
void TestDrawingSurface::lines() {
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  DrawingSurface s(40, 40);
  Prepare(s);
  s.MoveTo(from.x(), from.y());
  s.LineTo(to.x(), to.y());
  QCOMPARE(s.PenPos().x, to.x());
  QCOMPARE(s.PenPos().y, to.y());
  QCOMPARE(s.Pixel(from.x(), from.y()), kPen);
  QCOMPARE(s.Pixel(to.x(), to.y()), Colour(0));

  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), steps);
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      if (s.Pixel(x, y) != kPen) continue;
      const double k = xMajor ? double(x - from.x()) / dx : double(y - from.y()) / dy;
      QVERIFY2(k >= 0 && k < 1, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
      const double ideal = xMajor ? from.y() + k * dy : from.x() + k * dx;
      QVERIFY(std::abs((xMajor ? y : x) - ideal) <= 0.5);
    }
  QCOMPARE(s.TakeDirtyRect(), probe::BoundingBox(s, kPen, probe::Whole(s)));
}

void TestDrawingSurface::clippedShapes_data() {
  QTest::addColumn<QString>("shape");
  QTest::addColumn<QRect>("box");  // for a line: from top-left to bottom-right corner
  QTest::newRow("line across the left edge") << "line" << QRect(QPoint(-30, 5), QPoint(40, 33));
  QTest::newRow("line through all edges") << "line" << QRect(QPoint(-7, -90), QPoint(75, 130));
  QTest::newRow("line from outside to outside") << "line" << QRect(QPoint(70, -3), QPoint(-25, 44));
  QTest::newRow("line ending outside") << "line" << QRect(QPoint(10, 10), QPoint(95, 61));
  QTest::newRow("ellipse over the top-left")
      << "ellipse" << QRect(QPoint(-25, -15), QPoint(22, 19));
  QTest::newRow("ellipse larger than the surface")
      << "ellipse" << QRect(QPoint(-40, -9), QPoint(110, 52));
  QTest::newRow("ellipse past the bottom-right")
      << "ellipse" << QRect(QPoint(41, 27), QPoint(83, 66));
  QTest::newRow("text over the top-left") << "text" << QRect(-20, -4, 0, 0);
  QTest::newRow("text past the bottom-right") << "text" << QRect(45, 34, 0, 0);
  QTest::newRow("text wholly left") << "text" << QRect(-150, 5, 0, 0);
  QTest::newRow("text wholly below") << "text" << QRect(3, 40, 0, 0);
}

// What reaches outside a 60 × 40 surface is cut, and what remains is exactly what the same
// drawing leaves in that region of a surface large enough to hold it whole.
void TestDrawingSurface::clippedShapes() {
  QFETCH(QString, shape);
  QFETCH(QRect, box);
  DrawingSurface small(60, 40);
  DrawingSurface big(60 + 2 * kOffset, 40 + 2 * kOffset);
  for (DrawingSurface* s : {&small, &big}) {
    const int o = s == &big ? kOffset : 0;
    Prepare(*s);
    if (shape == "line") {
      s->MoveTo(box.left() + o, box.top() + o);
      s->LineTo(box.right() + o, box.bottom() + o);
    } else if (shape == "ellipse") {
      s->Ellipse(box.left() + o, box.top() + o, box.right() + o, box.bottom() + o);
    } else {
      s->TextOut(box.left() + o, box.top() + o, "Clip Me: 123");
    }
  }
  QVERIFY(probe::CountOther(big, 0x000000, probe::Whole(big)) > 0);
  const QString diff =
      probe::CompareRegion(small, QPoint(0, 0), big, QPoint(kOffset, kOffset), QSize(60, 40));
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  QCOMPARE(small.PenPos().x, big.PenPos().x - (shape == "ellipse" ? 0 : kOffset));
}

void TestDrawingSurface::hugeLines_data() {
  QTest::addColumn<QPoint>("from");
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<int>("expectedPixels");
  QTest::addColumn<bool>("diagonal");
  QTest::newRow("from the corner far away")
      << QPoint(0, 0) << QPoint(2000000000, 2000000000) << 40 << true;
  QTest::newRow("from far to far through")
      << QPoint(-2000000000, -2000000000) << QPoint(2000000000, 2000000000) << 40 << true;
  QTest::newRow("whole row") << QPoint(INT_MIN, 5) << QPoint(INT_MAX, 5) << 60 << false;
  QTest::newRow("above everything")
      << QPoint(INT_MIN, INT_MIN) << QPoint(INT_MAX, INT_MIN) << 0 << false;
  QTest::newRow("touching one corner")
      << QPoint(2000000000, -2000000000) << QPoint(-2000000000, 2000000000) << 1 << false;
}

// Clipped before it is walked: lines billions of pixels long end at once.
void TestDrawingSurface::hugeLines() {
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  QFETCH(int, expectedPixels);
  QFETCH(bool, diagonal);
  DrawingSurface s(60, 40);
  Prepare(s);
  s.MoveTo(from.x(), from.y());
  s.LineTo(to.x(), to.y());
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), expectedPixels);
  if (diagonal)
    for (int i = 0; i < 40; ++i) QCOMPARE(s.Pixel(i, i), kPen);
  QCOMPARE(s.PenPos().x, to.x());
  QCOMPARE(s.PenPos().y, to.y());
}

void TestDrawingSurface::hugeShapesFillOnlyTheSurface() {
  DrawingSurface s(60, 40);
  Prepare(s);
  s.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
  QCOMPARE(probe::CountOther(s, kBrush, probe::Whole(s)), 0);
  s.SetBrushColor(0x00FF00);
  s.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  QCOMPARE(probe::CountOther(s, 0x00FF00, probe::Whole(s)), 0);
  s.SetBrushColor(0xFFFF00);
  s.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  QCOMPARE(probe::CountOther(s, 0xFFFF00, probe::Whole(s)), 0);
  QCOMPARE(s.TakeDirtyRect(), probe::Whole(s));
}

// The reference circle of the GPS view: outlined within its box with the right and bottom edges
// excluded, symmetric, closed, and filled inside.
void TestDrawingSurface::referenceCircle() {
  DrawingSurface s(1051, 448);
  Prepare(s);
  s.MoveTo(3, 4);
  s.Ellipse(324, 22, 728, 426);
  QCOMPARE(probe::BoundingBox(s, kPen, probe::Whole(s)), QRect(QPoint(324, 22), QPoint(727, 425)));
  QCOMPARE(s.Pixel(526, 224), kBrush);
  QCOMPARE(s.Pixel(323, 224), Colour(0));
  QCOMPARE(s.Pixel(728, 223), Colour(0));
  QCOMPARE(s.PenPos().x, 3);  // an ellipse does not move the pen
  QCOMPARE(s.PenPos().y, 4);
  QCOMPARE(s.TakeDirtyRect(), QRect(QPoint(324, 22), QPoint(727, 425)));
  for (int y = 22; y <= 425; ++y)
    for (int x = 324; x <= 727; ++x) {
      const Colour c = s.Pixel(x, y);
      QCOMPARE(s.Pixel(324 + 727 - x, y), c);
      QCOMPARE(s.Pixel(x, 22 + 425 - y), c);
      QCOMPARE(s.Pixel(y - 22 + 324, x - 324 + 22), c);  // a circle: symmetric in its diagonal
      // The outline is closed: the fill never touches the outside.
      if (c == kBrush)
        for (const QPoint n :
             {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
          QVERIFY(s.Pixel(n.x(), n.y()) != 0);
    }
  // Thin: each row's outline on the widest rows is a single pixel on either side.
  QCOMPARE(s.Pixel(325, 223), kBrush);
}

void TestDrawingSurface::degenerateShapesDrawNothing() {
  DrawingSurface s(20, 20);
  Prepare(s);
  s.Ellipse(5, 5, 5, 15);
  s.Ellipse(5, 5, 15, 5);
  s.FillRect(3, 3, 3, 9);
  s.MoveTo(7, 7);
  s.LineTo(7, 7);
  s.TextOut(2, 2, "");
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), 0);
  QVERIFY(s.TakeDirtyRect().isEmpty());
  QCOMPARE(s.PenPos().x, 2);

  s.Ellipse(4, 4, 5, 5);  // one pixel, the outline
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), 1);
  QCOMPARE(s.Pixel(4, 4), kPen);
}

void TestDrawingSurface::fillRectExcludesRightAndBottom() {
  DrawingSurface s(20, 20);
  Prepare(s);
  s.MoveTo(1, 1);
  s.FillRect(2, 3, 6, 8);
  QCOMPARE(probe::BoundingBox(s, kBrush, probe::Whole(s)), QRect(2, 3, 4, 5));
  QCOMPARE(probe::CountOther(s, 0x000000, probe::Whole(s)), 20);
  QCOMPARE(s.TakeDirtyRect(), QRect(2, 3, 4, 5));
  QCOMPARE(s.PenPos().x, 1);
}

// A text covers its cell, the advance width × the line height, in the brush colour with its
// glyphs in the font colour and nothing in between; the pen ends at (x + width, y).
void TestDrawingSurface::textCellAndPen() {
  DrawingSurface s(200, 40);
  s.SetBrushColor(0x808080);
  s.FillRect(0, 0, 200, 40);
  (void)s.TakeDirtyRect();
  Prepare(s);
  const char* text = "NASA SciFi orbit  : ";
  const int width = s.TextWidth(text);
  // The default face is metric-compatible with Courier New at 8 points on 96 dpi: a 7-pixel
  // pitch, whole pixels for every character.
  QCOMPARE(s.TextWidth("N"), 7);
  QCOMPARE(width, 20 * s.TextWidth("N"));
  s.TextOut(10, 6, text);
  QCOMPARE(s.PenPos().x, 10 + width);
  QCOMPARE(s.PenPos().y, 6);

  const QRect cell = s.TakeDirtyRect();
  QCOMPARE(cell.topLeft(), QPoint(10, 6));
  QCOMPARE(cell.width(), width);
  QVERIFY(cell.height() >= 11);
  QCOMPARE(probe::CountOther(s, 0x808080, probe::Whole(s)), cell.width() * cell.height());
  int glyphPixels = 0;
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x) {
      const Colour c = s.Pixel(x, y);
      QVERIFY2(c == kBrush || c == kFont, "no antialiased pixel");
      glyphPixels += c == kFont;
    }
  QVERIFY(glyphPixels > 100);

  // Wholly outside: nothing drawn, but the pen still moves on.
  s.TextOut(-1000, 10, text);
  QVERIFY(s.TakeDirtyRect().isEmpty());
  QCOMPARE(s.PenPos().x, -1000 + width);
}

void TestDrawingSurface::textStyles() {
  const auto glyphs = [](unsigned style) {
    DrawingSurface s(200, 20);
    Prepare(s);
    s.SetFontStyle(style);
    s.TextOut(0, 0, "Planet EARTH");
    return std::pair(200 * 20 - probe::CountOther(s, kFont, probe::Whole(s)), s.PenPos().x);
  };
  const auto regular = glyphs(scene::Regular);
  QVERIFY(regular.first > 0);
  QVERIFY(glyphs(scene::Bold).first > regular.first);
  QCOMPARE(glyphs(scene::Bold).second, regular.second);  // the pitch stays
  QVERIFY(glyphs(scene::Underline).first > regular.first);
  QVERIFY(glyphs(scene::StrikeOut).first > regular.first);
}

// A surface whose font changes back and forth measures every text as a surface that has only
// ever had that font.
void TestDrawingSurface::widthsFollowTheFont() {
  struct Font {
    const char* name;
    unsigned style;
  };
  const Font fonts[] = {{"Courier New", scene::Regular}, {"Arial", scene::Regular},
                        {"Arial", scene::Bold},          {"Times New Roman", scene::Italic},
                        {"Tahoma", scene::Regular},      {"Courier New", scene::Bold},
                        {"Arial", scene::Regular},       {"Courier New", scene::Regular}};
  const char* texts[] = {"Wide WWW", "iiii", "Earth \xc3\xa9", "\xe2\x82\xac 10"};
  DrawingSurface changing(10, 10);
  QSet<int> widths;
  for (const Font& f : fonts) {
    changing.SetFontName(f.name);
    changing.SetFontStyle(f.style);
    DrawingSurface fresh(10, 10);
    fresh.SetFontName(f.name);
    fresh.SetFontStyle(f.style);
    for (const char* text : texts) {
      QCOMPARE(changing.TextWidth(text), fresh.TextWidth(text));
      widths.insert(fresh.TextWidth(text));
    }
  }
  QVERIFY(widths.size() > 4);  // the fonts do measure differently
}

void TestDrawingSurface::dirtyRect() {
  DrawingSurface s(100, 100);
  Prepare(s);
  s.SetPixel(5, 5, kPen);
  s.SetPixel(10, 20, kPen);
  s.SetPixel(500, 20, kPen);
  QCOMPARE(s.TakeDirtyRect(), QRect(5, 5, 6, 16));
  QVERIFY(s.TakeDirtyRect().isEmpty());

  s.MoveTo(-50, 30);
  s.LineTo(40, 30);
  QCOMPARE(s.TakeDirtyRect(), QRect(0, 30, 40, 1));
  s.Ellipse(90, 90, 130, 130);
  QCOMPARE(s.TakeDirtyRect(), QRect(90, 90, 10, 10));
  s.SetPenColor(0x00FF00);
  QCOMPARE(s.PenColor(), Colour(0x00FF00));
  QVERIFY(s.TakeDirtyRect().isEmpty());  // state changes draw nothing
}

QTEST_MAIN(TestDrawingSurface)
#include "tst_drawingsurface.moc"
