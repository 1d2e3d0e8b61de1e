// SPDX-License-Identifier: GPL-3.0-or-later
// The speed button: a tool button set up flat, focus-less and with a 16 x 16 picture.
#include "ui/widgets/SpeedButton.h"

namespace ui {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setIconSize(QSize(16, 16));
}

void SpeedButton::SetGlyph(Glyph glyph) { setIcon(MakeGlyph(glyph)); }

}  // namespace ui
