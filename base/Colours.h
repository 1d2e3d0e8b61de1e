// SPDX-License-Identifier: GPL-3.0-or-later
// The colours of the system: the colour type, written 0xBBGGRR (blue in the high byte, red in
// the low one) as the drawing surface and the controls take them, and the named colours.
#pragma once

#include <cstdint>

namespace base {

using Colour = std::uint32_t;

namespace colours {

inline constexpr Colour Black = 0x000000;
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Red = 0x0000FF;
inline constexpr Colour Lime = 0x00FF00;
inline constexpr Colour Blue = 0xFF0000;
inline constexpr Colour Yellow = 0x00FFFF;
inline constexpr Colour Aqua = 0xFFFF00;
inline constexpr Colour Navy = 0x800000;
inline constexpr Colour Grey = 0x808080;
inline constexpr Colour Silver = 0xC0C0C0;
inline constexpr Colour PaleYellow = 0x80FFFF;  // red 255, green 255, blue 128
inline constexpr Colour PaleGreen = 0x80FF80;   // red 128, green 255, blue 128

}  // namespace colours
}  // namespace base
