// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance look-up on Windows. The Win32 calls stay in this file so that nothing
// else of the program includes <windows.h>.
#include "ui/platform/SingleInstanceWin.h"

#include <windows.h>

#include <string>

namespace ui::win {

bool ActivateTitledWindow(const QString& title) {
  const std::wstring key = title.toStdWString();
  HWND window = FindWindowW(nullptr, key.c_str());
  if (!window) return false;
  // No other request is made of the window: it is brought forward as it is.
  SetForegroundWindow(window);
  return true;
}

}  // namespace ui::win
