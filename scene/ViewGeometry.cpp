// SPDX-License-Identifier: GPL-3.0-or-later
// View geometry: scale, Earth centre and pass start point from the drawing area's size.
#include "scene/ViewGeometry.h"

#include "base/RoundEven.h"

namespace scene {

ViewGeometry ComputeViewGeometry(std::int32_t W, std::int32_t H, std::int32_t rE,
                                 std::int32_t OrbitRadiusKm, double ZoomFactor) {
  ViewGeometry g;
  const std::int32_t m = H < W ? H : W;
  const double b = 0.45 * m;
  g.PixelsPerKm = (b / OrbitRadiusKm) / ZoomFactor;
  g.EarthRadiusPx = rE * g.PixelsPerKm;
  g.OrbitRadiusPx = OrbitRadiusKm * g.PixelsPerKm;

  g.CentreX = base::RoundEvenInt(W / 2.0);
  g.CentreY = base::RoundEvenInt(H / 2.0);

  // A circle wider than the left half pushes the centre right so that its leftmost point lies
  // 20 pixels inside; nothing limits the centre on the right.
  if (g.CentreX - g.OrbitRadiusPx < 0) g.CentreX = base::RoundEvenInt(g.OrbitRadiusPx + 20);

  // Vertically the centre moves down just as far, but stays 20 pixels above the bottom edge.
  if (g.CentreY - g.OrbitRadiusPx < 0) {
    if (base::RoundEven(g.OrbitRadiusPx) + 20 > H)
      g.CentreY = H - 20;
    else
      g.CentreY = base::RoundEvenInt(g.OrbitRadiusPx + 20);
  }
  return g;
}

StartPoint PassStartPoint(std::int32_t CentreX, std::int32_t CentreY, double OrbitRadiusPx) {
  return {base::RoundEven(CentreX - OrbitRadiusPx), static_cast<double>(CentreY)};
}

}  // namespace scene
