// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance look-up on Windows: the system's own search of top-level windows by
// title, and its foreground request.
#pragma once

#include <QString>

namespace ui::win {

// FindWindowW with no class name and `title`; SetForegroundWindow on the window found.
// True when one was found.
bool ActivateTitledWindow(const QString& title);

}  // namespace ui::win
