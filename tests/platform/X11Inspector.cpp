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

X11Inspector::X11Inspector(const QByteArray& displayName) {
  int screenNumber = 0;
  conn_ = xcb_connect(displayName.constData(), &screenNumber);
  if (xcb_connection_has_error(conn_)) return;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  root_ = it.data->root;
}

X11Inspector::~X11Inspector() { xcb_disconnect(conn_); }

bool X11Inspector::IsOpen() const { return xcb_connection_has_error(conn_) == 0 && root_ != 0; }

std::uint32_t X11Inspector::Atom(const char* name) {
  Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
      conn_, xcb_intern_atom(conn_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      nullptr));
  return r ? r->atom : 0;
}

QList<std::uint32_t> X11Inspector::AtomList(std::uint32_t window, const char* property) {
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
      conn_, xcb_get_property(conn_, 0, window, Atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
      &error));
  std::free(error);
  QList<std::uint32_t> values;
  if (!r || r->format != 32) return values;
  const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
  const int count = xcb_get_property_value_length(r.get()) / 4;
  for (int i = 0; i < count; ++i) values.append(data[i]);
  return values;
}

QList<std::uint32_t> X11Inspector::ClientList() { return AtomList(root_, "_NET_CLIENT_LIST"); }

std::uint32_t X11Inspector::Cardinal(std::uint32_t window, const char* property) {
  const QList<std::uint32_t> values = AtomList(window, property);
  return values.isEmpty() ? 0 : values.first();
}

std::uint32_t X11Inspector::ActiveWindow() { return Cardinal(root_, "_NET_ACTIVE_WINDOW"); }

QString X11Inspector::NetWmName(std::uint32_t window) {
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
      conn_, xcb_get_property(conn_, 0, window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 0, 1024),
      &error));
  std::free(error);
  if (!r || r->format != 8) return {};
  return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r.get())),
                           xcb_get_property_value_length(r.get()));
}

std::uint32_t X11Inspector::ClientTitled(const QString& title, qint64 pid) {
  for (std::uint32_t w : ClientList()) {
    if (NetWmName(w) == title && (pid == 0 || Cardinal(w, "_NET_WM_PID") == pid)) return w;
  }
  return 0;
}

bool X11Inspector::IsMaximised(std::uint32_t window) {
  const QList<std::uint32_t> state = AtomList(window, "_NET_WM_STATE");
  return state.contains(Atom("_NET_WM_STATE_MAXIMIZED_VERT")) &&
         state.contains(Atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

int X11Inspector::Width(std::uint32_t window) {
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_geometry_reply_t> r(
      xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), &error));
  std::free(error);
  return r ? r->width : 0;
}

void X11Inspector::SendClientMessage(std::uint32_t destination, std::uint32_t mask,
                                     std::uint32_t window, const char* type,
                                     std::array<std::uint32_t, 3> data) {
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof event);
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = Atom(type);
  for (std::size_t i = 0; i < data.size(); ++i) event.data.data32[i] = data[i];
  xcb_send_event(conn_, 0, destination, mask, reinterpret_cast<const char*>(&event));
  xcb_flush(conn_);
}

void X11Inspector::SendPing(std::uint32_t window) {
  pongReceived_ = false;
  // The stamp tells this ping's answer from an earlier one's.
  SendClientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, "WM_PROTOCOLS",
                    {Atom("_NET_WM_PING"), ++pingStamp_, window});
}

bool X11Inspector::PongReceived() {
  DrainEvents();
  return pongReceived_;
}

void X11Inspector::RequestActivation(std::uint32_t window) {
  SendClientMessage(root_,
                    XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                    window, "_NET_ACTIVE_WINDOW", {2, 0, 0});
}

void X11Inspector::SendDeleteWindow(std::uint32_t window) {
  SendClientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, "WM_PROTOCOLS",
                    {Atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME, 0});
}

void X11Inspector::StartWatching() {
  // Structure notify too: answers to a ping come to the root with that mask.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                             XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(conn_, root_, XCB_CW_EVENT_MASK, &mask);
  Watched();
  watch_ = Watch{};
  watch_.largestClientList = int(ClientList().size());
}

X11Inspector::Watch X11Inspector::Watched() {
  // The round trip makes sure that every event the server sent before it has arrived.
  Reply<xcb_get_input_focus_reply_t> sync(
      xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
  DrainEvents();
  return watch_;
}

void X11Inspector::DrainEvents() {
  const std::uint32_t clientListAtom = Atom("_NET_CLIENT_LIST");
  const std::uint32_t protocolsAtom = Atom("WM_PROTOCOLS");
  const std::uint32_t pingAtom = Atom("_NET_WM_PING");
  bool clientListChanged = false;
  while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAP_NOTIFY) {
      if (reinterpret_cast<xcb_map_notify_event_t*>(event)->event == root_) ++watch_.maps;
    } else if (type == XCB_CLIENT_MESSAGE) {
      const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
      if (message->type == protocolsAtom && message->data.data32[0] == pingAtom &&
          message->data.data32[1] == pingStamp_)
        pongReceived_ = true;
    } else if (type == XCB_PROPERTY_NOTIFY) {
      if (reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == clientListAtom)
        clientListChanged = true;
    }
    std::free(event);
  }
  if (clientListChanged)
    watch_.largestClientList = std::max(watch_.largestClientList, int(ClientList().size()));
}
