// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing area: shows the image of its drawing surface. The surface is made at the
// control's size the first time it is asked for and keeps that size afterwards.
#pragma once

#include <QWidget>
#include <memory>

#include "ui/canvas/DrawingSurface.h"

namespace ui {

class ImageControl : public QWidget {
  Q_OBJECT

 public:
  explicit ImageControl(QWidget* parent = nullptr);

  DrawingSurface& Surface();
  bool HasSurface() const { return surface_ != nullptr; }
  // Makes a new, black surface when the control's size has changed since the surface was
  // made, so that a scene drawn after the window was resized fills the whole drawing area.
  void FitSurface();
  // Schedules a repaint of the places drawn at since the last flush, and nothing more. The
  // control posts itself an event that does this when its surface is first drawn on, so that
  // the drawing reaches the screen as soon as control is back in an event loop (the run's
  // pumps included), and not before.
  void FlushDirty();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FollowSurface();
  void MakeSurface();
  // `region` less what the opaque controls stacked above this one cover: drawing there cannot
  // be seen, and repainting it would repaint them (a whole cleared scene would repaint the
  // vector box with its gauges and legend). When a control that covered it moves away, Qt
  // repaints what it leaves bare from the surface. Qt's visibleRegion() would work out the whole
  // cover at every flush; this looks only at the controls the new drawing reaches.
  QRegion Uncovered(QRegion region) const;
  void PostFlush();

  std::unique_ptr<DrawingSurface> surface_;
  bool flushPosted_ = false;
};

}  // namespace ui
