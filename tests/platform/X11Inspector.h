// SPDX-License-Identifier: GPL-3.0-or-later
// What the real-window tests read from and send to the X server, over their own xcb
// connection: the window manager's client list, window titles and states, the active window,
// and the messages a window manager or a pager sends.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

struct xcb_connection_t;

class X11Inspector {
 public:
  explicit X11Inspector(const QByteArray& displayName);
  ~X11Inspector();
  X11Inspector(const X11Inspector&) = delete;
  X11Inspector& operator=(const X11Inspector&) = delete;

  bool IsOpen() const;
  std::uint32_t Root() const { return root_; }

  QList<std::uint32_t> ClientList();
  QString NetWmName(std::uint32_t window);
  QList<std::uint32_t> AtomList(std::uint32_t window, const char* property);
  std::uint32_t Cardinal(std::uint32_t window, const char* property);  // 0 when missing
  std::uint32_t ActiveWindow();
  std::uint32_t Atom(const char* name);

  // The managed window titled `title` whose _NET_WM_PID is `pid` (any pid when 0), or 0.
  std::uint32_t ClientTitled(const QString& title, qint64 pid = 0);

  // True when _NET_WM_STATE holds both maximised atoms.
  bool IsMaximised(std::uint32_t window);
  // The window's own width, without the window manager's frame; 0 when it is gone.
  int Width(std::uint32_t window);

  // A _NET_ACTIVE_WINDOW request as a pager sends it.
  void RequestActivation(std::uint32_t window);
  // WM_DELETE_WINDOW, as the window manager sends it when the user closes the window.
  void SendDeleteWindow(std::uint32_t window);

  // A _NET_WM_PING; the program answers it when it next handles its events. Needs
  // StartWatching(); PongReceived() is true once the answer to the last ping has arrived.
  void SendPing(std::uint32_t window);
  bool PongReceived();

  // Counts the windows mapped on the root since the last call, and the largest client list
  // seen meanwhile. Events are read as they arrive; call often while watching.
  struct Watch {
    int maps = 0;
    int largestClientList = 0;
  };
  void StartWatching();
  Watch Watched();

 private:
  void DrainEvents();
  void SendClientMessage(std::uint32_t destination, std::uint32_t mask, std::uint32_t window,
                         const char* type, std::array<std::uint32_t, 3> data);

  xcb_connection_t* conn_ = nullptr;
  std::uint32_t root_ = 0;
  Watch watch_;
  std::uint32_t pingStamp_ = 0;
  bool pongReceived_ = false;
};
