// SPDX-License-Identifier: GPL-3.0-or-later
// The result fields copied straight into their window's backing store, one paint and one flush
// for all of them.
#include "ui/widgets/FieldsOnScreen.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintDevice>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <cstring>

#include "ui/widgets/OutputField.h"

namespace ui {

namespace {

// A field ready to be copied: its picture and the part of it that the screen shows, in the
// window's coordinates.
struct Placed {
  OutputField* field = nullptr;
  const QImage* picture = nullptr;
  QPoint offset;  // the field's top left corner in the window
  QRegion visible;
};

// The window's backing store, where a copy into it and a flush show what a paint would: an
// exposed raster window at one device pixel per pixel, opaque, whose store has the window's
// size and is not being painted.
QBackingStore* PlainStore(QWidget& window) {
  QBackingStore* store = window.backingStore();
  const QWindow* handle = window.windowHandle();
  if (store == nullptr || handle == nullptr || !handle->isExposed() ||
      handle->surfaceType() != QSurface::RasterSurface || handle->devicePixelRatio() != 1 ||
      window.testAttribute(Qt::WA_TranslucentBackground) || store->size() != window.size())
    return nullptr;
  const QPaintDevice* device = store->paintDevice();
  if (device == nullptr || device->paintingActive()) return nullptr;
  return store;
}

// The store's image while it is being painted, where a field's 32-bit opaque pixels can be
// copied as they are.
QImage* StoreImage(QBackingStore& store, const QSize& size) {
  QPaintDevice* device = store.paintDevice();
  if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: break;
    default: return nullptr;
  }
  if (image->devicePixelRatio() != 1 || image->width() < size.width() ||
      image->height() < size.height())
    return nullptr;
  return image;
}

void Copy(const Placed& placed, QImage& image) {
  const QImage& picture = *placed.picture;
  uchar* const bits = image.bits();
  const qsizetype line = image.bytesPerLine();
  for (const QRect& rect : placed.visible) {
    const QRect from = (rect & image.rect()).translated(-placed.offset) & picture.rect();
    if (from.isEmpty()) continue;
    const QPoint to = from.topLeft() + placed.offset;
    const std::size_t bytes = static_cast<std::size_t>(from.width()) * sizeof(QRgb);
    for (int y = 0; y < from.height(); ++y)
      std::memcpy(bits + (to.y() + y) * line + to.x() * qsizetype(sizeof(QRgb)),
                  picture.constScanLine(from.y() + y) + from.x() * qsizetype(sizeof(QRgb)), bytes);
  }
}

// Shows the listed fields of `window`, from the one at `first` on.
void ShowInWindow(QWidget& window, const std::vector<OutputField*>& fields, std::size_t first) {
  static std::vector<Placed> placed;  // keeps its room from one pump to the next
  placed.clear();
  QBackingStore* store = PlainStore(window);
  QRegion all;
  for (std::size_t i = first; i < fields.size(); ++i) {
    OutputField& field = *fields[i];
    if (field.window() != &window) continue;
    const QImage* picture =
        store != nullptr && field.isVisible() && field.updatesEnabled() ? field.Picture() : nullptr;
    if (picture == nullptr || picture->size() != field.size() ||
        picture->format() != QImage::Format_RGB32) {
      field.update();
      continue;
    }
    const QPoint offset = field.mapTo(&window, QPoint());
    QRegion visible = field.visibleRegion().translated(offset);
    if (visible.isEmpty()) continue;  // covered: Qt paints it when it shows again
    all += visible;
    placed.push_back({&field, picture, offset, std::move(visible)});
  }
  if (placed.empty()) return;
  store->beginPaint(all);
  QImage* image = StoreImage(*store, window.size());
  if (image != nullptr)
    for (const Placed& p : placed) Copy(p, *image);
  store->endPaint();
  if (image == nullptr) {
    for (const Placed& p : placed) p.field->update();
    return;
  }
  store->flush(all, window.windowHandle());
}

}  // namespace

void ShowOnScreen(const std::vector<OutputField*>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    QWidget* window = fields[i]->window();
    bool met = false;  // the window's fields were shown with its first one
    for (std::size_t j = 0; j < i && !met; ++j) met = fields[j]->window() == window;
    if (!met) ShowInWindow(*window, fields, i);
  }
}

}  // namespace ui
