// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph cells: measured once per font, drawn by Qt on first use, shared between fields.
#include "ui/widgets/GlyphCells.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

std::shared_ptr<GlyphCells> GlyphCells::For(const QFont& font, int dpi, QRgb text, QRgb base) {
  static std::vector<std::weak_ptr<GlyphCells>> made;
  made.erase(std::remove_if(made.begin(), made.end(), [](const auto& c) { return c.expired(); }),
             made.end());
  const QString key = font.key();
  for (const auto& weak : made) {
    auto c = weak.lock();
    if (c->dpi_ == dpi && c->text_ == text && c->base_ == base && c->fontKey_ == key) return c;
  }
  auto cells = std::make_shared<GlyphCells>();
  cells->fontKey_ = key;
  cells->dpi_ = dpi;
  cells->text_ = text;
  cells->base_ = base;
  cells->font_ = font;
  cells->Measure();
  made.push_back(cells);
  return cells;
}

void GlyphCells::Make(int index, int phase, Cell& cell) const {
  cell.made = true;
  const QString glyph{QLatin1Char(Characters[static_cast<std::size_t>(index)])};
  cell.ok = Draw(glyph, phase, cell.ink, cell.image);
}

const GlyphCells::Cell& GlyphCells::Pair(int first, int phase, int second) {
  Cell& cell = pairs_[(first * Phases + phase) * static_cast<int>(Characters.size()) + second];
  if (!cell.made) {
    cell.made = true;
    const Cell& left = At(first, phase);
    const int secondPosition = phase + Of(first).advance;
    const Cell& right = At(second, secondPosition % Phases);
    QRect ink;
    QImage image;
    const QString glyphs = QString(QLatin1Char(Characters[static_cast<std::size_t>(first)])) +
                           QLatin1Char(Characters[static_cast<std::size_t>(second)]);
    if (left.ok && right.ok && Draw(glyphs, phase, ink, image)) {
      const QRect rightInk = right.ink.translated(secondPosition / Phases, 0);
      const QRect shared(rightInk.left(), ink.top(), left.ink.right() - rightInk.left() + 1,
                         ink.height());
      cell.ink = shared;
      if (!shared.isEmpty()) cell.image = image.copy(shared.translated(-ink.topLeft()));
      cell.ok = true;
    }
  }
  return cell;
}

QImage GlyphCells::Canvas(int width, int height) const {
  QImage canvas(width, height, QImage::Format_RGB32);
  // The field's resolution, so that a font given in points gets the same size.
  const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
  canvas.setDotsPerMeterX(dotsPerMeter);
  canvas.setDotsPerMeterY(dotsPerMeter);
  return canvas;
}

void GlyphCells::Measure() {
  const QImage probe = Canvas(1, 1);
  const QFontMetricsF metrics(font_, &probe);
  lineHeight_ = QFontMetrics(font_, &probe).height();
  ascent_ = metrics.ascent();
  for (const char a : Characters) {
    for (const char b : Characters) {
      const QString pair = QString(QLatin1Char(a)) + QLatin1Char(b);
      if (metrics.horizontalAdvance(pair) !=
          metrics.horizontalAdvance(QLatin1Char(a)) + metrics.horizontalAdvance(QLatin1Char(b)))
        return;  // kerned: no cells at all
    }
  }
  for (std::size_t i = 0; i < Characters.size(); ++i) {
    Character& c = characters_[i];
    const double advance = metrics.horizontalAdvance(QLatin1Char(Characters[i])) * Phases;
    if (advance <= 0 || advance != std::floor(advance)) continue;
    c.advance = static_cast<int>(advance);
    const QRectF ink = metrics.boundingRect(QLatin1Char(Characters[i]));
    c.inkTop = ink.top();
    c.inkBottom = ink.bottom();
    c.overhang = std::max(0.0, -metrics.rightBearing(QLatin1Char(Characters[i])));
    c.ok = true;
    index_[static_cast<unsigned char>(Characters[i])] = static_cast<signed char>(i);
  }
}

bool GlyphCells::Draw(const QString& glyphs, int phase, QRect& ink, QImage& image) const {
  const int pad = lineHeight_;
  QImage canvas =
      Canvas(2 * pad + lineHeight_ * static_cast<int>(glyphs.size()), lineHeight_ + 2 * pad);
  canvas.fill(base_);
  QPainter painter(&canvas);
  painter.setFont(font_);
  painter.setPen(QColor::fromRgb(text_));
  painter.drawText(QPointF(pad + phase / double(Phases), pad + ascent_), glyphs);
  painter.end();
  int left = canvas.width();
  int right = -1;
  int top = canvas.height();
  int bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if (line[x] == base_) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ink = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
  if (!ink.isEmpty() && !canvas.rect().adjusted(1, 1, -1, -1).contains(ink)) return false;
  if (!ink.isEmpty()) image = canvas.copy(ink);
  ink.translate(-pad, -pad);
  return true;
}

}  // namespace ui
