// SPDX-License-Identifier: GPL-3.0-or-later
// A panel: a container with a raised bevel inside its client area and, optionally, a soft edge
// around the outside that is not part of the client area.
#pragma once

#include "ui/widgets/Container.h"

namespace ui {

class Panel : public Container {
  Q_OBJECT

 public:
  explicit Panel(QWidget* parent = nullptr);

  // The raised bevel, inside the client area (1 pixel by default).
  void SetBevelWidth(int width);
  int BevelWidth() const { return bevel_; }
  // The soft edge around the outside (0 by default).
  void SetSoftEdgeWidth(int width);
  int SoftEdgeWidth() const { return softEdge_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int bevel_ = 1;
  int softEdge_ = 0;
};

}  // namespace ui
