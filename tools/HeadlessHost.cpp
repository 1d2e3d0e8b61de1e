// SPDX-License-Identifier: GPL-3.0-or-later
// A run host without a window, and the run procedure made for it.
#include "tools/HeadlessHost.h"

#include <utility>

#include "sim/RunProcedure.h"

namespace tools {

HeadlessHost::HeadlessHost(std::string altText, std::string speedText, sim::AreaSize area)
    : Speed(std::move(speedText)),
      Alt(std::move(altText)),
      Area(area),
      Client{area.Width + base::SidePanelWidth, area.Height + base::TopBandHeight} {}

sim::RunInputs RunSimulation(HeadlessHost& host) { return sim::RunSimulation<HeadlessHost>(host); }

}  // namespace tools
