// The image control and the registry through which PumpEvents flushes the drawing areas.
#include "ui/widgets/ImageControl.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace ui {

namespace {

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
  if (!surface_) surface_ = std::make_unique<DrawingSurface>(width(), height());
  return *surface_;
}

void ImageControl::FitSurface() {
  if (surface_ && QSize(surface_->Width(), surface_->Height()) == size()) return;
  surface_ = std::make_unique<DrawingSurface>(width(), height());
  update();
}

void ImageControl::FlushDirty() {
  if (!surface_) return;
  const QRect dirty = surface_->TakeDirtyRect();
  if (!dirty.isEmpty()) update(dirty);
}

void ImageControl::paintEvent(QPaintEvent* event) {
  if (!surface_) return;
  const QImage& image = surface_->Image();
  const QRect area = event->rect() & image.rect();
  if (area.isEmpty()) return;
  QPainter painter(this);
  painter.drawImage(area.topLeft(), image, area);
}

void FlushAllImageControls() {
  for (ImageControl* control : Registry()) control->FlushDirty();
}

}  // namespace ui
