// SPDX-License-Identifier: GPL-3.0-or-later
// Group box painting: background, etched frame and the caption on the frame's top edge.
#include "ui/widgets/GroupBox.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace ui {

GroupBox::GroupBox(QWidget* parent) : Container(parent) { SetAlignInsets(QMargins(2, 18, 2, 2)); }

void GroupBox::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void GroupBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QColor background = BackgroundColour();
  painter.fillRect(event->rect(), background);

  const QFontMetrics metrics(font());
  const int frameTop = caption_.isEmpty() ? 0 : metrics.height() / 2;
  const QRect frame(0, frameTop, width(), height() - frameTop);
  const QColor face = ResolveColour(SysButtonFace);
  // An etched line: dark outside, light inside.
  painter.setPen(face.darker(160));
  painter.drawRect(frame.adjusted(0, 0, -2, -2));
  painter.setPen(Qt::white);
  painter.drawRect(frame.adjusted(1, 1, -1, -1));

  // A trajectory pixel under a group box that floats over the drawing area repaints the box
  // around that pixel alone: the caption is laid out only when the repaint reaches its band.
  if (!caption_.isEmpty() && event->rect().intersects(QRect(8, 0, width() - 8, metrics.height()))) {
    const int textWidth = metrics.horizontalAdvance(caption_);
    const QRect band(8, 0, textWidth, metrics.height());
    painter.fillRect(band, background);
    painter.setPen(ResolveColour(SysWindowText));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
  }
}

}  // namespace ui
