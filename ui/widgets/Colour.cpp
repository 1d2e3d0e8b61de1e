// SPDX-License-Identifier: GPL-3.0-or-later
// Resolution of control colours: system names through the layout's palette, the rest through
// ToQColor; and that palette.
#include "ui/widgets/Colour.h"

#include <QStyle>
#include <QStyleFactory>
#include <memory>

#include "ui/canvas/DrawingSurface.h"

namespace ui {

QColor ResolveColour(Colour colour) {
  if (!IsSystemColour(colour)) return ToQColor(colour);
  const QPalette& palette = LayoutPalette();
  switch (colour) {
    case SysWindow: return palette.color(QPalette::Base);
    case SysWindowText: return palette.color(QPalette::WindowText);
    case SysButtonFace: return palette.color(QPalette::Button);
    default: return palette.color(QPalette::Window);
  }
}

const QPalette& LayoutPalette() {
  static const QPalette palette = [] {
    // Fusion is built into Qt, and its standard palette is the light one our tests and
    // screenshots have always shown.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette light = fusion ? fusion->standardPalette() : QPalette(QColor(0xEF, 0xEF, 0xEF));
    // Every role set explicitly, so that none is taken from a palette the desktop sets later.
    QPalette all;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
      for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        const auto r = static_cast<QPalette::ColorRole>(role);
        if (r == QPalette::NoRole) continue;
        all.setBrush(g, r, light.brush(g, r));
      }
    }
    return all;
  }();
  return palette;
}

}  // namespace ui
