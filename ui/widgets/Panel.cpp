// SPDX-License-Identifier: GPL-3.0-or-later
// Panel painting: background, soft outer edge and raised bevel.
#include "ui/widgets/Panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace ui {

namespace {

// Light on the top and left, dark on the bottom and right, `width` rings from `box` inwards.
void DrawBevel(QPainter& painter, QRect box, int width, const QColor& light, const QColor& dark) {
  for (int i = 0; i < width && box.width() > 1 && box.height() > 1; ++i) {
    painter.setPen(light);
    painter.drawLine(box.left(), box.top(), box.right() - 1, box.top());
    painter.drawLine(box.left(), box.top(), box.left(), box.bottom() - 1);
    painter.setPen(dark);
    painter.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    painter.drawLine(box.right(), box.top(), box.right(), box.bottom());
    box.adjust(1, 1, -1, -1);
  }
}

}  // namespace

Panel::Panel(QWidget* parent) : Container(parent) { SetAlignInsets(QMargins(1, 1, 1, 1)); }

void Panel::SetBevelWidth(int width) {
  bevel_ = std::max(0, width);
  SetAlignInsets(QMargins(bevel_, bevel_, bevel_, bevel_));
  update();
}

void Panel::SetSoftEdgeWidth(int width) {
  softEdge_ = std::max(0, width);
  SetNonClient(QMargins(softEdge_, softEdge_, softEdge_, softEdge_));
  update();
}

void Panel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), BackgroundColour());
  const QColor face = ResolveColour(SysButtonFace);
  // The soft edge: a mid-tone ring outside, lighter towards the client area.
  DrawBevel(painter, rect(), std::min(softEdge_, 1), face.darker(120), face.darker(150));
  if (softEdge_ > 1) {
    DrawBevel(painter, rect().adjusted(1, 1, -1, -1), softEdge_ - 1, face.lighter(105),
              face.darker(115));
  }
  const QRect client = rect().marginsRemoved(NonClient());
  DrawBevel(painter, client, bevel_, QColor(Qt::white), face.darker(160));
}

}  // namespace ui
