// SPDX-License-Identifier: GPL-3.0-or-later
// Gauge painting: border, white background and the filled part proportional to the progress.
#include "ui/widgets/BarGauge.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

#include "base/Colours.h"
#include "ui/widgets/Accessible.h"

namespace ui {

BarGauge::BarGauge(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  // The border and the white background cover every pixel, so a new value repaints the gauge
  // alone and not the group box behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  InstallAccessibleFactory();
}

void BarGauge::SetProgress(int value) {
  const int clamped = std::clamp(value, MinValue, MaxValue);
  if (clamped == progress_) return;
  progress_ = clamped;
  update();
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, progress_);
    QAccessible::updateAccessibility(&event);
  }
}

void BarGauge::SetFillColor(Colour colour) {
  fill_ = colour;
  update();
}

void BarGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor border = ResolveColour(SysButtonFace).darker(160);
  const QColor white = ResolveColour(base::colours::White);
  if (width() >= 2 && height() >= 2) {
    // The one-pixel border and the white inside as two fills: the pixels of a drawn rectangle,
    // without stroking its outline at every new value.
    painter.fillRect(rect(), border);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), white);
  } else {
    painter.setPen(border);
    painter.setBrush(white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  if (inner.isEmpty() || progress_ == 0) return;
  QRect bar = inner;
  if (orientation_ == Qt::Vertical) {
    const int h = inner.height() * progress_ / MaxValue;
    bar.setTop(inner.bottom() - h + 1);
  } else {
    bar.setWidth(inner.width() * progress_ / MaxValue);
  }
  painter.fillRect(bar, ResolveColour(fill_));
}

}  // namespace ui
