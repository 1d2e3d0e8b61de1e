// SPDX-License-Identifier: GPL-3.0-or-later
// The started window of the tests and the benchmarks.
#include "tests/support/StartedWindow.h"

#include <QCoreApplication>

#include "app/KVUGraphiques.h"
#include "base/DesignSize.h"
#include "sim/UnitState.h"
#include "ui/widgets/ImageControl.h"

namespace support {

void StartWindow(TKVFGraphiques& window, int flashes) {
  KVUGraphiques::ResetUnitState();
  KVUGraphiques::MemoBusy = false;
  window.Start.CheckSingleInstance = false;
  window.Start.FlashCount = flashes;
  window.FormCreate(&window);
}

bool SizeDrawingArea(TKVFGraphiques& window, QSize area) {
  window.showNormal();
  window.resize(area + QSize(base::SidePanelWidth, base::TopBandHeight));
  QCoreApplication::processEvents();
  return window.Image1->size() == area;
}

}  // namespace support
