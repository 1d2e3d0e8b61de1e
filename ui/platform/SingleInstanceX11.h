// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance look-up on X11: another program's top-level window found by its exact
// title over a connection of our own (Qt's need not exist yet), and activated through the
// window manager.
#pragma once

#include <QString>

#include <cstdint>

namespace ui::x11 {

// Where the top-level windows are looked for. `Auto` takes the window manager's
// _NET_CLIENT_LIST when it publishes one and walks the window tree otherwise.
enum class WindowSearch { Auto, ClientList, WindowTree };

// True when `displayName` (nullptr: $DISPLAY) can be opened.
bool CanOpenDisplay(const char* displayName);

// The id of a top-level window whose _NET_WM_NAME or WM_NAME is exactly `title`, or 0 when
// there is none or the display cannot be opened.
std::uint32_t FindTitledWindow(const char* displayName, const QString& title,
                               WindowSearch search = WindowSearch::Auto);

// Finds the window as above and, when there is one, asks for it to be activated and raised.
// Its map state is left alone. True when a window was found.
bool ActivateTitledWindow(const char* displayName, const QString& title,
                          WindowSearch search = WindowSearch::Auto);

}  // namespace ui::x11
