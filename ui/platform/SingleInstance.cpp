// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance rule, dispatched by desktop: the X11 window look-up under xcb, the
// Win32 one on Windows, and a local socket on desktops that hide other programs' windows.
#include "ui/platform/SingleInstance.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(_WIN32)
#include "ui/platform/SingleInstanceWin.h"
#else
#include "ui/platform/SingleInstanceSocket.h"
#if defined(ORBITSIM_HAVE_XCB)
#include "ui/platform/SingleInstanceX11.h"
#endif
#endif

namespace ui {
namespace {

#if !defined(_WIN32)
enum class Desktop { X11, Socket, Headless };

Desktop CurrentDesktop() {
  if (QGuiApplication::instance()) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
#if defined(ORBITSIM_HAVE_XCB)
      return Desktop::X11;
#else
      return Desktop::Socket;
#endif
    // The offscreen and minimal platforms show windows to nobody, so there is no desktop
    // on which another instance could be brought forward, and windows built there (by
    // tests running side by side) must not find each other.
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
      return Desktop::Headless;
    return Desktop::Socket;
  }
#if defined(ORBITSIM_HAVE_XCB)
  // Before the toolkit is up: an X display that opens is the desktop, unless the session
  // is Wayland, whose own windows an X client cannot see.
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && x11::CanOpenDisplay(nullptr))
    return Desktop::X11;
#endif
  return Desktop::Socket;
}
#endif

}  // namespace

bool ActivateRunningInstance(const QString& title) {
  if (title.isEmpty()) return false;
#if defined(_WIN32)
  return win::ActivateTitledWindow(title);
#else
  switch (CurrentDesktop()) {
    case Desktop::X11:
#if defined(ORBITSIM_HAVE_XCB)
      // Qt's xcb platform connects to $DISPLAY, as this does.
      return x11::ActivateTitledWindow(nullptr, title);
#else
      return false;
#endif
    case Desktop::Socket: return socket::AskServerToRaise(socket::ServerNameFor(title));
    case Desktop::Headless: return false;
  }
  return false;
#endif
}

void ServeLaterInstances(QWidget* window, const QString& title) {
#if defined(_WIN32)
  Q_UNUSED(window);
  Q_UNUSED(title);
#else
  if (window && !title.isEmpty() && CurrentDesktop() == Desktop::Socket)
    socket::ServeRaiseRequests(window, socket::ServerNameFor(title));
#endif
}

}  // namespace ui
