// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance rule where the desktop does not let a program list other programs'
// windows: the running window listens on a local socket in the user's private runtime folder,
// one per graphical session, and a later start asks it through that socket to come to the front.
#pragma once

#include <QString>

class QWidget;

namespace ui::socket {

// The folder this user's sockets may live in: $XDG_RUNTIME_DIR, or else the temporary folder,
// each only when it is a folder owned by this user that nobody else may enter or write to.
// Empty when neither is.
QString PrivateRuntimeDir();

// The socket path for `title` in this graphical session: in PrivateRuntimeDir(), named after the
// title and the session's display, so that two sessions or two keys never meet. Empty where the
// user has no private folder; the rule then does not apply and every start goes ahead.
QString ServerNameFor(const QString& title);

// True when a server of this user listens at `serverName`; it has then been asked to raise its
// window. Anything else found there (a stale socket, a socket or a server of another user, a
// file that is no socket) is no running instance.
bool AskServerToRaise(const QString& serverName);

// Listens at `serverName` for the lifetime of `window` and, on each request from this user,
// restores the window from the minimised state (keeping it maximised if it was), raises and
// activates it. Takes over the path from anything but a live server of this user, which keeps it.
void ServeRaiseRequests(QWidget* window, const QString& serverName);

}  // namespace ui::socket
