// SPDX-License-Identifier: GPL-3.0-or-later
// Reading drawn pixels back: regions compared between two surfaces, the bounding box of one
// colour, and the pixels that differ from a colour.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include "ui/canvas/DrawingSurface.h"

namespace probe {

// Empty when the size × region at aOrigin on a equals the one at bOrigin on b, else the first
// difference, for the failure message.
inline QString CompareRegion(const scene::Canvas& a, QPoint aOrigin, const scene::Canvas& b,
                             QPoint bOrigin, QSize size) {
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      const base::Colour ca = a.Pixel(aOrigin.x() + x, aOrigin.y() + y);
      const base::Colour cb = b.Pixel(bOrigin.x() + x, bOrigin.y() + y);
      if (ca != cb)
        return QStringLiteral("(%1, %2): %3 against (%4, %5): %6")
            .arg(aOrigin.x() + x)
            .arg(aOrigin.y() + y)
            .arg(ca, 6, 16, QChar('0'))
            .arg(bOrigin.x() + x)
            .arg(bOrigin.y() + y)
            .arg(cb, 6, 16, QChar('0'));
    }
  return {};
}

// The smallest rectangle within `area` holding every pixel of `colour` (empty when none).
inline QRect BoundingBox(const scene::Canvas& c, base::Colour colour, QRect area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (c.Pixel(x, y) == colour) box = box.united(QRect(x, y, 1, 1));
  return box;
}

inline int CountOther(const scene::Canvas& c, base::Colour colour, QRect area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (c.Pixel(x, y) != colour) ++n;
  return n;
}

inline QRect Whole(const scene::Canvas& c) { return QRect(0, 0, c.Width(), c.Height()); }

}  // namespace probe
