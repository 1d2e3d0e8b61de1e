// SPDX-License-Identifier: GPL-3.0-or-later
// Colours of the controls: 0xBBGGRR values as everywhere in our code, plus the three system
// colours by name, which are resolved from the layout's own light palette when a control paints.
#pragma once

#include <QColor>
#include <QPalette>

#include "scene/Canvas.h"

namespace ui {

using base::Colour;

// Values with the top byte set are not RGB: they name a system colour.
inline constexpr Colour SysWindow = 0xFF000005;
inline constexpr Colour SysWindowText = 0xFF000008;
inline constexpr Colour SysButtonFace = 0xFF00000F;

constexpr bool IsSystemColour(Colour colour) { return (colour & 0xFF000000u) != 0; }

// The Qt colour of a control colour; the RGB conversion itself is ToQColor's.
QColor ResolveColour(Colour colour);

// The palette of a light desktop, whatever palette or style the desktop hands over: the layout's
// backgrounds are fixed light colours (yellow, green, silver, white), and every text drawn on
// them must stay dark. The window sets it on itself; the system colours resolve from it.
const QPalette& LayoutPalette();

}  // namespace ui
