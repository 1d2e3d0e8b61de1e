// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface as the scene sees it: a pixel-exact canvas with a pen, a brush, a font and
// a pen position. The scene draws through this interface only; ui/ implements it over an image.
#pragma once

#include <string_view>

#include "base/Colours.h"

namespace scene {

using base::Colour;

enum FontStyle : unsigned { Regular = 0, Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

struct PenPosition {
  int x = 0;
  int y = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPenColor(Colour colour) = 0;
  virtual Colour PenColor() const = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetBrushColor(Colour colour) = 0;
  virtual void SetFontName(std::string_view name) = 0;
  virtual void SetFontStyle(unsigned styles) = 0;  // FontStyle bits
  virtual void SetFontColor(Colour colour) = 0;

  // Pixels outside the surface are clipped silently, here and in every primitive below.
  virtual void SetPixel(int x, int y, Colour colour) = 0;
  virtual Colour Pixel(int x, int y) const = 0;  // 0 outside the surface

  virtual void MoveTo(int x, int y) = 0;
  // A line from the pen position to (x, y) in the pen colour; (x, y) itself is not set and
  // becomes the pen position.
  virtual void LineTo(int x, int y) = 0;
  // Outlined with the pen and filled with the brush, inside the box from (x1, y1) to (x2, y2),
  // the right and bottom edges excluded. The pen position does not move.
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Filled with the brush, right and bottom edges excluded.
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  // UTF-8 text in the font on a cell filled with the brush; the pen ends at (x + width, y).
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual int TextWidth(std::string_view text) const = 0;
  virtual PenPosition PenPos() const = 0;
};

}  // namespace scene
