// SPDX-License-Identifier: GPL-3.0-or-later
// A bar gauge with the range 0 to 100: no text, a thin border, a white background; a vertical
// bar fills from the bottom, a horizontal one from the left.
#pragma once

#include <QWidget>

#include "ui/widgets/Colour.h"

namespace ui {

class BarGauge : public QWidget {
  Q_OBJECT

 public:
  explicit BarGauge(Qt::Orientation orientation, QWidget* parent = nullptr);

  static constexpr int MinValue = 0;
  static constexpr int MaxValue = 100;

  // A value outside the range is clamped into it, and the clamped value is kept.
  void SetProgress(int value);
  int Progress() const { return progress_; }

  void SetFillColor(Colour colour);
  Colour FillColor() const { return fill_; }
  Qt::Orientation Orientation() const { return orientation_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  int progress_ = 0;
  Colour fill_ = 0x000000;
};

}  // namespace ui
