// Resolution of control colours: system names through the palette, the rest through ToQColor.
#include "ui/widgets/Colour.h"

#include <QApplication>
#include <QPalette>

#include "ui/canvas/DrawingSurface.h"

namespace ui {

QColor ResolveColour(Colour colour) {
  if (!IsSystemColour(colour)) return ToQColor(colour);
  const QPalette palette = QApplication::palette();
  switch (colour) {
    case SysWindow:
      return palette.color(QPalette::Base);
    case SysWindowText:
      return palette.color(QPalette::WindowText);
    case SysButtonFace:
      return palette.color(QPalette::Button);
    default:
      return palette.color(QPalette::Window);
  }
}

}  // namespace ui
