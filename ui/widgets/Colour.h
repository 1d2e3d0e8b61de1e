// Colours of the controls: 0xBBGGRR values as everywhere in our code, plus the three system
// colours by name, which are resolved from the application's palette when a control paints.
#pragma once

#include <QColor>

#include "scene/Canvas.h"

namespace ui {

using scene::Colour;

// Values with the top byte set are not RGB: they name a system colour.
inline constexpr Colour SysWindow = 0xFF000005;
inline constexpr Colour SysWindowText = 0xFF000008;
inline constexpr Colour SysButtonFace = 0xFF00000F;

constexpr bool IsSystemColour(Colour colour) { return (colour & 0xFF000000u) != 0; }

// The Qt colour of a control colour; the RGB conversion itself is ToQColor's.
QColor ResolveColour(Colour colour);

}  // namespace ui
