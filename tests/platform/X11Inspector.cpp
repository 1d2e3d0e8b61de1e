// SPDX-License-Identifier: GPL-3.0-or-later
// The real-window tests' own view of the X server, over libxcb.
#include "X11Inspector.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

}  // namespace

X11Inspector::X11Inspector(const QByteArray& displayName)
{
    int screenNumber = 0;
    m_conn = xcb_connect(displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(m_conn))
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_conn));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    m_root = it.data->root;
}

X11Inspector::~X11Inspector()
{
    xcb_disconnect(m_conn);
}

bool X11Inspector::isOpen() const
{
    return xcb_connection_has_error(m_conn) == 0 && m_root != 0;
}

std::uint32_t X11Inspector::atom(const char* name)
{
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        m_conn, xcb_intern_atom(m_conn, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return r ? r->atom : 0;
}

QList<std::uint32_t> X11Inspector::atomList(std::uint32_t window, const char* property)
{
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        m_conn,
        xcb_get_property(m_conn, 0, window, atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
        &error));
    std::free(error);
    QList<std::uint32_t> values;
    if (!r || r->format != 32)
        return values;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
    const int count = xcb_get_property_value_length(r.get()) / 4;
    for (int i = 0; i < count; ++i)
        values.append(data[i]);
    return values;
}

QList<std::uint32_t> X11Inspector::clientList()
{
    return atomList(m_root, "_NET_CLIENT_LIST");
}

std::uint32_t X11Inspector::cardinal(std::uint32_t window, const char* property)
{
    const QList<std::uint32_t> values = atomList(window, property);
    return values.isEmpty() ? 0 : values.first();
}

std::uint32_t X11Inspector::activeWindow()
{
    return cardinal(m_root, "_NET_ACTIVE_WINDOW");
}

QString X11Inspector::netWmName(std::uint32_t window)
{
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        m_conn,
        xcb_get_property(m_conn, 0, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024),
        &error));
    std::free(error);
    if (!r || r->format != 8)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r.get())),
                             xcb_get_property_value_length(r.get()));
}

std::uint32_t X11Inspector::clientTitled(const QString& title, qint64 pid)
{
    for (std::uint32_t w : clientList()) {
        if (netWmName(w) == title && (pid == 0 || cardinal(w, "_NET_WM_PID") == pid))
            return w;
    }
    return 0;
}

bool X11Inspector::isMaximised(std::uint32_t window)
{
    const QList<std::uint32_t> state = atomList(window, "_NET_WM_STATE");
    return state.contains(atom("_NET_WM_STATE_MAXIMIZED_VERT"))
        && state.contains(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

int X11Inspector::width(std::uint32_t window)
{
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_geometry_reply_t> r(
        xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, window), &error));
    std::free(error);
    return r ? r->width : 0;
}

void X11Inspector::sendClientMessage(std::uint32_t destination, std::uint32_t mask,
                                     std::uint32_t window, const char* type,
                                     std::array<std::uint32_t, 3> data)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(type);
    for (std::size_t i = 0; i < data.size(); ++i)
        event.data.data32[i] = data[i];
    xcb_send_event(m_conn, 0, destination, mask, reinterpret_cast<const char*>(&event));
    xcb_flush(m_conn);
}

void X11Inspector::sendPing(std::uint32_t window)
{
    m_pongReceived = false;
    // The stamp tells this ping's answer from an earlier one's.
    sendClientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, "WM_PROTOCOLS",
                      {atom("_NET_WM_PING"), ++m_pingStamp, window});
}

bool X11Inspector::pongReceived()
{
    drainEvents();
    return m_pongReceived;
}

void X11Inspector::requestActivation(std::uint32_t window)
{
    sendClientMessage(m_root,
                      XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                      window, "_NET_ACTIVE_WINDOW", {2, 0, 0});
}

void X11Inspector::sendDeleteWindow(std::uint32_t window)
{
    sendClientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, "WM_PROTOCOLS",
                      {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME, 0});
}

void X11Inspector::startWatching()
{
    // Structure notify too: answers to a ping come to the root with that mask.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY
        | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
    watched();
    m_watch = Watch{};
    m_watch.largestClientList = int(clientList().size());
}

X11Inspector::Watch X11Inspector::watched()
{
    // The round trip makes sure that every event the server sent before it has arrived.
    Reply<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr));
    drainEvents();
    return m_watch;
}

void X11Inspector::drainEvents()
{
    const std::uint32_t clientListAtom = atom("_NET_CLIENT_LIST");
    const std::uint32_t protocolsAtom = atom("WM_PROTOCOLS");
    const std::uint32_t pingAtom = atom("_NET_WM_PING");
    bool clientListChanged = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_conn)) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            if (reinterpret_cast<xcb_map_notify_event_t*>(event)->event == m_root)
                ++m_watch.maps;
        } else if (type == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->type == protocolsAtom && message->data.data32[0] == pingAtom
                && message->data.data32[1] == m_pingStamp)
                m_pongReceived = true;
        } else if (type == XCB_PROPERTY_NOTIFY) {
            if (reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == clientListAtom)
                clientListChanged = true;
        }
        std::free(event);
    }
    if (clientListChanged)
        m_watch.largestClientList = std::max(m_watch.largestClientList, int(clientList().size()));
}
