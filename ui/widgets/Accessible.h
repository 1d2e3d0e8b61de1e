// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology learns of the controls that are our own: a top-level container is a
// window frame, a group box a grouping named by its caption, a gauge a progress bar with its
// value, the drawing area a canvas. Qt's own controls describe themselves.
#pragma once

namespace ui {

// Idempotent; the containers and gauges call it when they are made.
void InstallAccessibleFactory();

}  // namespace ui
