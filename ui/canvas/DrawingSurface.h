// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface of the image control: the scene's canvas over a QImage, pixel-exact (no
// antialiasing), with a dirty rectangle so that the control repaints only what changed.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>

class QFontMetricsF;
#include <array>
#include <functional>
#include <limits>
#include <vector>

#include "scene/Canvas.h"

namespace ui {

// The one place where a 0xBBGGRR colour becomes Qt's RGB.
QColor ToQColor(base::Colour colour);

class DrawingSurface final : public scene::Canvas {
 public:
  // A new surface is black. Its font is "Courier New" at 8 points, regular, black text.
  DrawingSurface(int width, int height);

  const QImage& Image() const { return image_; }
  // The union of everything drawn since the last call (empty when nothing was), then cleared.
  QRect TakeDirtyRect();
  // The same, as a few rectangles around the places drawn at, so that two pixels far apart do
  // not repaint everything between them; then cleared, as TakeDirtyRect clears.
  QRegion TakeDirtyRegion();
  // Called when the surface is drawn on while nothing is waiting to be repainted: the first
  // change after a take. Its owner arranges for the change to reach the screen.
  void SetOnDrawn(std::function<void()> onDrawn) { onDrawn_ = std::move(onDrawn); }

  int Width() const override;
  int Height() const override;
  void SetPenColor(base::Colour colour) override;
  base::Colour PenColor() const override;
  void SetPenWidth(int width) override;
  void SetBrushColor(base::Colour colour) override;
  void SetFontName(std::string_view name) override;
  void SetFontStyle(unsigned styles) override;
  void SetFontColor(base::Colour colour) override;
  void SetPixel(int x, int y, base::Colour colour) override;
  base::Colour Pixel(int x, int y) const override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) const override;
  scene::PenPosition PenPos() const override;

 private:
  // The rounded advances of the first 256 code points in one font, Unmeasured where not yet
  // measured.
  struct Advances {
    QFont font;
    std::array<int, 256> of;
  };

  void MarkDirty(const QRect& rect);
  // The advance of `codePoint` in the current font. Qt lays a character out to measure it, which
  // costs more than drawing it: a legend would be measured anew at every redraw.
  int Advance(const QFontMetricsF& metrics, uint codePoint) const;
  static constexpr int Unmeasured = std::numeric_limits<int>::min();

  QImage image_;
  QRect dirty_;
  std::vector<QRect> dirtyParts_;
  std::function<void()> onDrawn_;
  base::Colour pen_ = 0x000000;
  int penWidth_ = 1;
  base::Colour brush_ = 0xFFFFFF;
  base::Colour fontColour_ = 0x000000;
  QFont font_;
  mutable std::vector<Advances> advances_;  // of the last few fonts, the latest last
  scene::PenPosition penPos_;
};

}  // namespace ui
