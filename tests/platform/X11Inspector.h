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

    bool isOpen() const;
    std::uint32_t root() const { return m_root; }

    QList<std::uint32_t> clientList();
    QString netWmName(std::uint32_t window);
    QList<std::uint32_t> atomList(std::uint32_t window, const char* property);
    std::uint32_t cardinal(std::uint32_t window, const char* property);  // 0 when missing
    std::uint32_t activeWindow();
    std::uint32_t atom(const char* name);

    // The managed window titled `title` whose _NET_WM_PID is `pid` (any pid when 0), or 0.
    std::uint32_t clientTitled(const QString& title, qint64 pid = 0);

    // True when _NET_WM_STATE holds both maximised atoms.
    bool isMaximised(std::uint32_t window);
    // The window's own width, without the window manager's frame; 0 when it is gone.
    int width(std::uint32_t window);

    // A _NET_ACTIVE_WINDOW request as a pager sends it.
    void requestActivation(std::uint32_t window);
    // WM_DELETE_WINDOW, as the window manager sends it when the user closes the window.
    void sendDeleteWindow(std::uint32_t window);

    // A _NET_WM_PING; the program answers it when it next handles its events. Needs
    // startWatching(); pongReceived() is true once the answer to the last ping has arrived.
    void sendPing(std::uint32_t window);
    bool pongReceived();

    // Counts the windows mapped on the root since the last call, and the largest client list
    // seen meanwhile. Events are read as they arrive; call often while watching.
    struct Watch {
        int maps = 0;
        int largestClientList = 0;
    };
    void startWatching();
    Watch watched();

private:
    void drainEvents();
    void sendClientMessage(std::uint32_t destination, std::uint32_t mask, std::uint32_t window,
                           const char* type, std::array<std::uint32_t, 3> data);

    xcb_connection_t* m_conn = nullptr;
    std::uint32_t m_root = 0;
    Watch m_watch;
    std::uint32_t m_pingStamp = 0;
    bool m_pongReceived = false;
};
