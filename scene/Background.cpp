// SPDX-License-Identifier: GPL-3.0-or-later
// The background and its legend. The order of the steps decides what covers what: the black
// interior of the reference circle hides the first row where the two meet, the later rows sit
// on their own black cells over the circle, and the Earth, drawn last, covers everything it
// reaches.
#include "scene/Background.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "base/Colours.h"
#include "base/RoundEven.h"

namespace scene {

namespace {

constexpr int kLegendX = 5;

std::string_view FirstTrajectoryLabel(int PresetIndex) {
  if (PresetIndex < 0) return "  Meteorite      : ";
  if (PresetIndex == 0) return "  Space Station  : ";
  if (PresetIndex == 1) return "  GPS Satellite 1   : ";
  return "  GEO-S Satellite 1 : ";
}

std::string_view SecondTrajectoryLabel(int PresetIndex) {
  return PresetIndex == 1 ? "  GPS Satellite 2   : " : "  GEO-S Satellite 2 : ";
}

// The 80-pixel line sample that follows a row, drawn from the pen position the text left.
void DrawLineSample(Canvas& canvas) {
  const PenPosition p = canvas.PenPos();
  canvas.MoveTo(p.x + 20, p.y + 5);
  canvas.LineTo(p.x + 100, p.y + 5);
}

// The ellipse of a circle of radius r around the centre, r already rounded to a pixel.
void DrawCircle(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY, std::int32_t r) {
  // 64-bit sums, clamped, so that a run-away radius cannot overflow; the surface clips the rest.
  const auto edge = [](std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
  };
  canvas.Ellipse(edge(std::int64_t(CentreX) - r), edge(std::int64_t(CentreY) - r),
                 edge(std::int64_t(CentreX) + r), edge(std::int64_t(CentreY) + r));
}

}  // namespace

void DrawBackground(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY,
                    double OrbitRadiusPx, double EarthRadiusPx, bool Running, int PresetIndex) {
  canvas.SetBrushColor(base::colours::Black);
  canvas.SetPenColor(base::colours::Grey);
  canvas.SetPenWidth(1);
  canvas.SetFontColor(base::colours::White);
  canvas.SetFontStyle(Regular);
  canvas.SetFontName("Courier new");

  canvas.TextOut(kLegendX, 5, "NASA SciFi orbit  : ");
  DrawLineSample(canvas);

  DrawCircle(canvas, CentreX, CentreY, base::RoundEvenInt(OrbitRadiusPx));

  if (Running) {
    canvas.SetFontStyle(Bold);
    canvas.SetPenColor(base::colours::White);
    canvas.TextOut(kLegendX, 55, "Universal gravity trajectories");
    canvas.TextOut(kLegendX, 75, FirstTrajectoryLabel(PresetIndex));
    canvas.SetPenWidth(1);
    DrawLineSample(canvas);
    if (PresetIndex > 0) {
      canvas.SetPenColor(base::colours::Yellow);
      canvas.TextOut(kLegendX, 95, SecondTrajectoryLabel(PresetIndex));
      canvas.SetPenWidth(1);
      DrawLineSample(canvas);
    }
  }

  // The Earth's row keeps the style the trajectory rows left: bold while running.
  canvas.TextOut(kLegendX, 25, "Planet EARTH      : ");

  canvas.SetBrushColor(base::colours::Navy);
  canvas.SetPenColor(base::colours::Aqua);
  canvas.SetPenWidth(1);
  const PenPosition p = canvas.PenPos();
  canvas.Ellipse(p.x + 20, p.y - 5, p.x + 40, p.y + 15);

  DrawCircle(canvas, CentreX, CentreY, base::RoundEvenInt(EarthRadiusPx));
}

}  // namespace scene
