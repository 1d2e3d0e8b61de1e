// SPDX-License-Identifier: GPL-3.0-or-later
// The 16 x 16 pictures of the speed buttons, drawn in code, each with a greyed twin for the
// disabled state.
#pragma once

#include <QIcon>

namespace ui {

enum class Glyph { Start, Pause, Stop, ZoomIn, ZoomOut };

QIcon MakeGlyph(Glyph glyph);

}  // namespace ui
