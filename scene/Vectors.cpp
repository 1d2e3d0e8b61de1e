// SPDX-License-Identifier: GPL-3.0-or-later
// The gauge values and the vector marks along the trajectory.
#include "scene/Vectors.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/Colours.h"
#include "base/RoundEven.h"

namespace scene {

namespace {

int FloorToInt(double value) {
  if (std::isnan(value)) return 0;
  const double f = std::floor(value);
  if (f <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  if (f >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  return static_cast<int>(f);
}

}  // namespace

GaugeValues VectorGaugeValues(double VertSpeed, double fV, double sine, double cosine) {
  return {FloorToInt(10 * VertSpeed), FloorToInt(10 * fV * sine), FloorToInt(10 * fV * cosine)};
}

void DrawVectorLines(Canvas& canvas, double xSat, double ySat, int h, int v, int i) {
  const Colour saved = canvas.PenColor();
  const std::int32_t ox = base::RoundEvenInt(xSat);
  const std::int32_t oy = base::RoundEvenInt(ySat);
  // Each end point is rounded from the floating position plus the length, not from O.
  const auto segment = [&](Colour colour, double endX, double endY) {
    canvas.SetPenColor(colour);
    canvas.MoveTo(ox, oy);
    canvas.LineTo(base::RoundEvenInt(endX), base::RoundEvenInt(endY));
  };
  canvas.SetPenWidth(1);
  segment(base::colours::Red, xSat + h, ySat);
  segment(base::colours::Aqua, xSat, ySat - i);
  segment(base::colours::Blue, xSat, ySat + v);
  segment(base::colours::Lime, xSat + h, ySat + v);
  canvas.SetPenColor(saved);
}

}  // namespace scene
