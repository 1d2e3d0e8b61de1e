// SPDX-License-Identifier: GPL-3.0-or-later
// Glyph drawing: one routine paints a picture in given ink colours, once in black and red for
// the normal image and once in grey for the disabled one.
#include "ui/widgets/Glyphs.h"

#include <QPainter>
#include <QPixmap>

#include "base/Colours.h"
#include "ui/widgets/Colour.h"

namespace ui {

namespace {

constexpr int kSize = 16;

QPixmap Draw(Glyph glyph, const QColor& ink, const QColor& accent, const QColor& glass) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  switch (glyph) {
    case Glyph::Start: {
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      const QPointF triangle[] = {{4.0, 2.0}, {13.0, 8.0}, {4.0, 14.0}};
      p.drawPolygon(triangle, 3);
      break;
    }
    case Glyph::Pause:
      p.fillRect(4, 3, 3, 10, ink);
      p.fillRect(9, 3, 3, 10, ink);
      break;
    case Glyph::Stop: p.fillRect(3, 3, 10, 10, ink); break;
    case Glyph::ZoomIn:
    case Glyph::ZoomOut: {
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setBrush(glass);
      p.setPen(QPen(ink, 1.5));
      p.drawEllipse(QRectF(1.5, 1.5, 9.0, 9.0));
      p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(10.0, 10.0), QPointF(14.0, 14.0));
      p.setRenderHint(QPainter::Antialiasing, false);
      p.fillRect(4, 5, 5, 2, accent);
      if (glyph == Glyph::ZoomIn) p.fillRect(5, 4, 2, 5, accent);
      break;
    }
  }
  return pixmap;
}

}  // namespace

QIcon MakeGlyph(Glyph glyph) {
  const QColor black = ResolveColour(base::colours::Black);
  const QColor red = ResolveColour(base::colours::Red);
  const QColor grey = ResolveColour(base::colours::Grey);
  const QColor white = ResolveColour(base::colours::White);
  QIcon icon;
  icon.addPixmap(Draw(glyph, black, red, white), QIcon::Normal);
  icon.addPixmap(Draw(glyph, grey, grey, Qt::transparent), QIcon::Disabled);
  return icon;
}

}  // namespace ui
