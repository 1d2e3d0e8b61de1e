// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout at its design size: the client area, the top band and the side panel, and
// the drawing area they leave free. The headless flight tool flies in that drawing area too.
#pragma once

namespace base {

inline constexpr int DesignClientWidth = 1279;
inline constexpr int DesignClientHeight = 548;
inline constexpr int TopBandHeight = 100;                                    // Panel1
inline constexpr int SidePanelWidth = 228;                                   // Panel2
inline constexpr int DesignAreaWidth = DesignClientWidth - SidePanelWidth;   // 1051
inline constexpr int DesignAreaHeight = DesignClientHeight - TopBandHeight;  // 448

}  // namespace base
