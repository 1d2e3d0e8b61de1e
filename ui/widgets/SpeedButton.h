// SPDX-License-Identifier: GPL-3.0-or-later
// A flat speed button: a momentary button with a two-state picture that never takes the focus.
#pragma once

#include <QToolButton>

#include "ui/widgets/Glyphs.h"

namespace ui {

class SpeedButton : public QToolButton {
  Q_OBJECT

 public:
  explicit SpeedButton(QWidget* parent = nullptr);

  void SetGlyph(Glyph glyph);
};

}  // namespace ui
