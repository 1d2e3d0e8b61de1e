// SPDX-License-Identifier: GPL-3.0-or-later
// The image control: its surface, the flush it posts itself, and its painting.
#include "ui/widgets/ImageControl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ui {

namespace {

QEvent::Type FlushEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

DrawingSurface& ImageControl::Surface() {
  if (!surface_) MakeSurface();
  return *surface_;
}

void ImageControl::FitSurface() {
  if (surface_ && QSize(surface_->Width(), surface_->Height()) == size()) return;
  MakeSurface();
  update();
}

void ImageControl::MakeSurface() {
  surface_ = std::make_unique<DrawingSurface>(width(), height());
  surface_->SetOnDrawn([this] { PostFlush(); });
  FollowSurface();
}

void ImageControl::PostFlush() {
  if (flushPosted_) return;
  flushPosted_ = true;
  QCoreApplication::postEvent(this, new QEvent(FlushEventType()));
}

bool ImageControl::event(QEvent* event) {
  if (event->type() != FlushEventType()) return QWidget::event(event);
  flushPosted_ = false;
  FlushDirty();
  return true;
}

void ImageControl::FollowSurface() {
  // While the image covers the control, nothing behind it needs painting first.
  const bool covered = surface_ && surface_->Width() >= width() && surface_->Height() >= height();
  setAttribute(Qt::WA_OpaquePaintEvent, covered);
}

void ImageControl::resizeEvent(QResizeEvent* event) {
  FollowSurface();
  QWidget::resizeEvent(event);
}

void ImageControl::FlushDirty() {
  if (!surface_) return;
  const QRegion dirty = Uncovered(surface_->TakeDirtyRegion());
  if (!dirty.isEmpty()) update(dirty);
}

QRegion ImageControl::Uncovered(QRegion region) const {
  const QWidget* parent = parentWidget();
  if (parent == nullptr || region.isEmpty()) return region;
  const QObjectList& siblings = parent->children();
  // Children are kept in stacking order: the ones after this control lie above it.
  for (qsizetype i = siblings.indexOf(this) + 1; i < siblings.size(); ++i) {
    if (!siblings[i]->isWidgetType()) continue;
    const auto* above = static_cast<const QWidget*>(siblings[i]);
    if (above->isWindow() || !above->isVisible() || !above->testAttribute(Qt::WA_OpaquePaintEvent))
      continue;
    const QRect covered = above->geometry().translated(-pos());
    if (!region.boundingRect().intersects(covered) || !above->mask().isEmpty()) continue;
    region -= covered;
    if (region.isEmpty()) break;
  }
  return region;
}

void ImageControl::paintEvent(QPaintEvent* event) {
  if (!surface_) return;
  const QImage& image = surface_->Image();
  QPainter painter(this);
  for (const QRect& rect : event->region()) {
    const QRect area = rect & image.rect();
    if (!area.isEmpty()) painter.drawImage(area.topLeft(), image, area);
  }
}

}  // namespace ui
