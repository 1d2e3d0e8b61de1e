// SPDX-License-Identifier: GPL-3.0-or-later
// The vector display: the gauge values of the inertia vector and the two gravity components,
// and the four coloured marks drawn from the object's pixel with the gauges' stored values.
#pragma once

#include "scene/Canvas.h"

namespace scene {

// Gauge units of 0.1 km/s, before the gauges clamp them into 0 .. 100.
struct GaugeValues {
  int Inert;  // gInert: Floor(10 × VertSpeed)
  int VGrav;  // gVGrav: Floor(10 × fV × sine)
  int HGrav;  // gHGrav: Floor(10 × fV × cosine)
};

// Values beyond the int range saturate and NaN gives 0, so a run-away flight sets a full or an
// empty bar instead of undefined behaviour.
GaugeValues VectorGaugeValues(double VertSpeed, double fV, double sine, double cosine);

// h, v and i are the stored progress values of gHGrav, gVGrav and gInert. Draws red (h to the
// right), aqua (i upwards), blue (v downwards) and lime (the sum), then restores the pen colour.
void DrawVectorLines(Canvas& canvas, double xSat, double ySat, int h, int v, int i);

}  // namespace scene
