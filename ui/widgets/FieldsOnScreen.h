// SPDX-License-Identifier: GPL-3.0-or-later
// Result fields shown at once, together. A run changes three of them at every pump; through
// Qt's paint each would cost a paint pass of its own (the repaint manager's bookkeeping, a paint
// event, a painter on the widget, a copy into the window's backing store), several times what
// its few changed pixels do. Where the window is a plain raster window, the fields' prepared
// pictures are copied into its backing store in one paint and flushed in one go; every other
// case is left to Qt's paint.
#pragma once

#include <vector>

namespace ui {

class OutputField;

// Shows the fields' pictures on the screen now, where they can be copied straight into their
// window's backing store; asks Qt to repaint the others.
void ShowOnScreen(const std::vector<OutputField*>& fields);

}  // namespace ui
