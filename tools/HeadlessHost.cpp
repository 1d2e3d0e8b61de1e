// SPDX-License-Identifier: GPL-3.0-or-later
// A run host without a window.
#include "tools/HeadlessHost.h"

#include <utility>

namespace tools {

HeadlessHost::HeadlessHost(std::string altText, std::string speedText, sim::AreaSize area)
    : Speed(std::move(speedText)),
      Alt(std::move(altText)),
      Area(area),
      Client{area.Width + 228, area.Height + 100} {}

void HeadlessHost::WriteStepRow(const sim::RunState& s) {
  DataRows = s.StepCount + 1;
  if (OnRow) OnRow(s);
}

void HeadlessHost::PumpEvents() {
  ++Pumps;
  if (OnPump) OnPump();
}

}  // namespace tools
