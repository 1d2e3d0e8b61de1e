// SPDX-License-Identifier: GPL-3.0-or-later
// The trajectory pixel of one step and its mirror image around the Earth centre.
#include "scene/Trajectory.h"

#include "base/Colours.h"
#include "base/RoundEven.h"

namespace scene {

void PlotPoint(Canvas& canvas, std::int32_t CentreX, std::int32_t CentreY, std::int32_t PassIndex,
               double xSat, double ySat, int PresetIndex, std::int32_t& LastPlotX,
               std::int32_t& LastPlotY) {
  const std::int32_t px = base::RoundEvenInt(xSat);
  const std::int32_t py = base::RoundEvenInt(ySat);
  // At small scales many steps stay on one pixel; they are not written again.
  if (px == LastPlotX && py == LastPlotY) return;
  LastPlotX = px;
  LastPlotY = py;

  canvas.SetPenWidth(1);
  canvas.SetPixel(px, py, PassIndex == 1 ? base::colours::White : base::colours::Red);

  if (PresetIndex > 0 && PassIndex == 1) {
    // Mirrored through (CentreX - 0.5, CentreY) from the floating position, not from the
    // rounded pixel: the two roundings differ on ties.
    const double mx = (CentreX - xSat - 1) + CentreX;
    const double my = (CentreY - ySat) + CentreY;
    canvas.SetPixel(base::RoundEvenInt(mx), base::RoundEvenInt(my), base::colours::Yellow);
  }
}

}  // namespace scene
