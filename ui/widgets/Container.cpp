// SPDX-License-Identifier: GPL-3.0-or-later
// The container base: background painting and the re-alignment on resize.
#include "ui/widgets/Container.h"

#include <QPainter>
#include <QResizeEvent>

#include "ui/widgets/Accessible.h"
#include "ui/widgets/Align.h"

namespace ui {

Container::Container(QWidget* parent) : QWidget(parent) {
  InstallAccessibleFactory();
  // Every container paints all of its area in its opaque colour: nothing behind it needs
  // painting, and what lies behind it cannot be seen.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Container::SetColor(Colour colour) {
  colour_ = colour;
  update();
}

void Container::ClearColor() {
  colour_.reset();
  update();
}

Colour Container::Color() const {
  if (colour_) return *colour_;
  if (const auto* parent = qobject_cast<const Container*>(parentWidget())) return parent->Color();
  return SysButtonFace;
}

void Container::SetAlignInsets(const QMargins& insets) {
  insets_ = insets;
  Realign(this);
}

void Container::SetNonClient(const QMargins& frame) {
  nonClient_ = frame;
  Realign(this);
}

void Container::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Realign(this);
}

void Container::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), BackgroundColour());
}

}  // namespace ui
