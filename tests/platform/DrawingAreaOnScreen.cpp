// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing area on the screen against an image.
#include "DrawingAreaOnScreen.h"

#include <QElapsedTimer>
#include <QRegion>
#include <QTest>

#include "ScreenPixels.h"
#include "app/KVUGraphiques.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Memo.h"

namespace {

QRect AreaOnWindow(const TKVFGraphiques& window) {
  return QRect(window.Image1->mapTo(&window, QPoint(0, 0)), window.Image1->size());
}

// The area where nothing lies above it, in the area's own coordinates.
QRegion Uncovered(const TKVFGraphiques& window) {
  const QRect area = AreaOnWindow(window);
  QRegion region(area);
  region -= window.gbVectors->geometry();
  if (window.mmExplications->parentWidget() == &window) region -= window.mmExplications->geometry();
  return region.translated(-area.topLeft());
}

// `shown` against `expected` where `compared` says.
Difference Compare(const QImage& shown, const QImage& expected, const QRegion& compared) {
  if (shown.isNull()) return {};
  Difference d{0, {}};
  for (const QRect& part : compared& expected.rect()) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      for (int x = part.left(); x <= part.right(); ++x) {
        const QRgb want = expected.pixel(x, y) & 0xFFFFFF;
        const QRgb got = shown.pixel(x, y) & 0xFFFFFF;
        if (want == got) continue;
        if (d.count++ == 0)
          d.first =
              QString::asprintf("first at (%d, %d): screen %06x, expected %06x", x, y, got, want);
      }
    }
  }
  return d;
}

}  // namespace

Difference DrawingAreaAgainst(ScreenPixels& screen, const TKVFGraphiques& window,
                              const QImage& expected) {
  const QImage shown =
      screen.Grab(static_cast<std::uint32_t>(window.winId()), AreaOnWindow(window));
  return Compare(shown, expected, Uncovered(window));
}

Difference ControlAgainst(ScreenPixels& screen, const QWidget& control, const QImage& expected) {
  const QWidget* window = control.window();
  const QRect place(control.mapTo(window, QPoint(0, 0)), control.size());
  const QImage shown = screen.Grab(static_cast<std::uint32_t>(window->winId()), place);
  if (!shown.isNull() && shown.size() != expected.size())
    return {shown.width() * shown.height(), QStringLiteral("the sizes differ")};
  return Compare(shown, expected, QRegion(expected.rect()));
}

Difference AwaitDrawingArea(ScreenPixels& screen, const TKVFGraphiques& window,
                            const QImage& expected) {
  Difference d;
  QElapsedTimer waited;
  waited.start();
  do {
    QTest::qWait(20);
    d = DrawingAreaAgainst(screen, window, expected);
  } while (d.count != 0 && waited.elapsed() < 2000);
  return d;
}
