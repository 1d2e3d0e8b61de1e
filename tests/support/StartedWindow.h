// SPDX-License-Identifier: GPL-3.0-or-later
// The main window after its start-up, as the tests and the benchmarks take it: made from the
// unit-level state of program start, without the single-instance look-up (they share one
// desktop) and with a start-up flash of the count they choose.
#pragma once

#include <QSize>

class TKVFGraphiques;

namespace support {

// Runs the window's start-up on `window`, which has just been built.
void StartWindow(TKVFGraphiques& window, int flashes = 0);
// Shows the window normal, sized so that its drawing area is `area`; false when the drawing
// area did not take that size.
bool SizeDrawingArea(TKVFGraphiques& window, QSize area);

}  // namespace support
