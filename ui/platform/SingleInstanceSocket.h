// The single-instance rule where the desktop does not let a program list other programs'
// windows: the running window listens on a per-user local socket named after the instance
// key, and a later start asks it, through that socket, to come to the front.
#pragma once

#include <QString>

class QWidget;

namespace ui::socket {

// The socket name for `title`: derived from the title and the user id, so that two users on
// one machine, or two different keys, never meet.
QString serverNameFor(const QString& title);

// True when a server listens on `serverName`; it has then been asked to raise its window.
bool askServerToRaise(const QString& serverName);

// Listens on `serverName` for the lifetime of `window` and, on each request, restores the
// window from the minimised state (keeping it maximised if it was), raises and activates it.
// Takes over a name left behind by a program that ended without closing it; leaves a name
// that a live server answers on alone.
void serveRaiseRequests(QWidget* window, const QString& serverName);

}  // namespace ui::socket
