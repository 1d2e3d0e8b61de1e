// The image control and the registry through which PumpEvents flushes the drawing areas.
#include "ui/widgets/ImageControl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace ui {

namespace {

QEvent::Type FlushEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

std::vector<ImageControl*>& Registry() {
  static std::vector<ImageControl*> controls;
  return controls;
}

}  // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) { Registry().push_back(this); }

ImageControl::~ImageControl() {
  auto& controls = Registry();
  controls.erase(std::remove(controls.begin(), controls.end(), this), controls.end());
}

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
  const QRegion dirty = surface_->TakeDirtyRegion();
  if (!dirty.isEmpty()) update(dirty);
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

void FlushAllImageControls() {
  for (ImageControl* control : Registry()) control->FlushDirty();
}

}  // namespace ui
