// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance look-up on X11 through libxcb: lists the top-level windows, compares
// their titles byte for byte with the instance key, and activates the first that matches.
#include "ui/platform/SingleInstanceX11.h"

#include <xcb/xcb.h>

#include <QByteArray>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace ui::x11 {
namespace {

constexpr xcb_window_t kNoWindow = XCB_WINDOW_NONE;
constexpr xcb_atom_t kNoAtom = XCB_ATOM_NONE;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// The reply to a request sent before, through its reply function; an error in its place is
// taken and dropped, so that it does not wait in the event queue.
template <typename T, typename Cookie>
Reply<T> Take(T* (*reply)(xcb_connection_t*, Cookie, xcb_generic_error_t**), xcb_connection_t* c,
              Cookie cookie) {
  xcb_generic_error_t* error = nullptr;
  Reply<T> r(reply(c, cookie, &error));
  std::free(error);
  return r;
}

// Each request below is sent for all windows before the first reply is read, so that a
// desktop with hundreds of windows costs a few round trips and not hundreds.
class Connection {
 public:
  explicit Connection(const char* displayName) : conn_(xcb_connect(displayName, &screenNumber_)) {}
  ~Connection() { xcb_disconnect(conn_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool IsOpen() const { return xcb_connection_has_error(conn_) == 0; }
  xcb_connection_t* Get() const { return conn_; }

  xcb_window_t Root() const {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
    for (int i = 0; i < screenNumber_ && it.rem > 0; ++i) xcb_screen_next(&it);
    return it.rem > 0 ? it.data->root : kNoWindow;
  }

 private:
  int screenNumber_ = 0;
  xcb_connection_t* conn_;
};

struct Atoms {
  xcb_atom_t clientList = kNoAtom;
  xcb_atom_t netWmName = kNoAtom;
  xcb_atom_t utf8String = kNoAtom;
  xcb_atom_t activeWindow = kNoAtom;
};

Atoms InternAtoms(xcb_connection_t* c) {
  const char* const names[] = {"_NET_CLIENT_LIST", "_NET_WM_NAME", "UTF8_STRING",
                               "_NET_ACTIVE_WINDOW"};
  xcb_intern_atom_cookie_t cookies[4];
  for (int i = 0; i < 4; ++i)
    cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
  xcb_atom_t atoms[4];
  for (int i = 0; i < 4; ++i) {
    Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
    atoms[i] = r ? r->atom : kNoAtom;
  }
  return {atoms[0], atoms[1], atoms[2], atoms[3]};
}

// The title as the property holds it, or a null QString when the property is missing, longer
// than `maxBytes`, or of an encoding that cannot equal the key.
QString TitleFrom(xcb_get_property_reply_t* r, const Atoms& atoms, bool utf8Only, int maxBytes) {
  if (!r || r->type == kNoAtom || r->format != 8 || r->bytes_after > 0) return {};
  const int length = xcb_get_property_value_length(r);
  if (length > maxBytes) return {};
  QByteArray bytes(static_cast<const char*>(xcb_get_property_value(r)), length);
  // Some clients count the terminating NUL into the property.
  while (bytes.endsWith('\0')) bytes.chop(1);
  if (r->type == atoms.utf8String) return QString::fromUtf8(bytes);
  if (utf8Only) return {};
  if (r->type == XCB_ATOM_STRING) return QString::fromLatin1(bytes);
  // COMPOUND_TEXT without escape sequences is plain ASCII; anything else needs Xlib's
  // converters, and the key is ASCII, so such a title cannot be it.
  for (char ch : bytes) {
    if (static_cast<unsigned char>(ch) >= 0x80 || ch == '\x1b') return {};
  }
  return QString::fromLatin1(bytes);
}

// The first of `windows` whose _NET_WM_NAME or WM_NAME is exactly `title`.
xcb_window_t FirstTitled(xcb_connection_t* c, const Atoms& atoms,
                         const std::vector<xcb_window_t>& windows, const QString& title) {
  const int keyBytes = static_cast<int>(title.toUtf8().size());
  // One 32-bit unit more than the key needs: a longer title then shows up as bytes_after.
  const std::uint32_t longs = static_cast<std::uint32_t>(keyBytes / 4 + 2);
  std::vector<xcb_get_property_cookie_t> netNames, wmNames;
  netNames.reserve(windows.size());
  wmNames.reserve(windows.size());
  for (xcb_window_t w : windows) {
    netNames.push_back(xcb_get_property(c, 0, w, atoms.netWmName, atoms.utf8String, 0, longs));
    wmNames.push_back(
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, longs));
  }
  xcb_window_t found = kNoWindow;
  for (std::size_t i = 0; i < windows.size(); ++i) {
    // Every reply is collected, even after a match, so that none is left in the queue.
    const auto net = Take(xcb_get_property_reply, c, netNames[i]);
    const auto wm = Take(xcb_get_property_reply, c, wmNames[i]);
    if (found != kNoWindow) continue;
    if (TitleFrom(net.get(), atoms, true, keyBytes + 1) == title ||
        TitleFrom(wm.get(), atoms, false, keyBytes + 1) == title)
      found = windows[i];
  }
  return found;
}

// The window manager's list of managed windows; `published` tells whether it has one.
std::vector<xcb_window_t> ClientList(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms,
                                     bool* published) {
  *published = false;
  if (atoms.clientList == kNoAtom) return {};
  Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, atoms.clientList, XCB_ATOM_WINDOW, 0, 1u << 16), nullptr));
  if (!r || r->type != XCB_ATOM_WINDOW || r->format != 32) return {};
  *published = true;
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(r.get()));
  const int count = xcb_get_property_value_length(r.get()) / 4;
  return std::vector<xcb_window_t>(ids, ids + count);
}

// The children of each of `parents`, in stacking order, parent by parent.
std::vector<xcb_window_t> ChildrenOf(xcb_connection_t* c,
                                     const std::vector<xcb_window_t>& parents) {
  std::vector<xcb_query_tree_cookie_t> cookies;
  cookies.reserve(parents.size());
  for (xcb_window_t p : parents) cookies.push_back(xcb_query_tree(c, p));
  std::vector<xcb_window_t> children;
  for (const auto& cookie : cookies) {
    const auto r = Take(xcb_query_tree_reply, c, cookie);
    if (!r) continue;
    const xcb_window_t* ids = xcb_query_tree_children(r.get());
    children.insert(children.end(), ids, ids + xcb_query_tree_children_length(r.get()));
  }
  return children;
}

// Menus, tooltips and other override-redirect windows are never top-level windows of a
// program, whatever they are called.
std::vector<xcb_window_t> WithoutOverrideRedirect(xcb_connection_t* c,
                                                  const std::vector<xcb_window_t>& windows) {
  std::vector<xcb_get_window_attributes_cookie_t> cookies;
  cookies.reserve(windows.size());
  for (xcb_window_t w : windows) cookies.push_back(xcb_get_window_attributes(c, w));
  std::vector<xcb_window_t> kept;
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const auto r = Take(xcb_get_window_attributes_reply, c, cookies[i]);
    if (r && !r->override_redirect) kept.push_back(windows[i]);
  }
  return kept;
}

// Where no window manager lists its clients, the top-level windows are the root's children,
// or, under a manager that reparents them into frames, the frames' children.
xcb_window_t SearchWindowTree(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms,
                              const QString& title) {
  const std::vector<xcb_window_t> topLevel = WithoutOverrideRedirect(c, ChildrenOf(c, {root}));
  if (xcb_window_t w = FirstTitled(c, atoms, topLevel, title)) return w;
  return FirstTitled(c, atoms, ChildrenOf(c, topLevel), title);
}

struct Found {
  xcb_window_t window = kNoWindow;
  bool managed = false;
};

Found Search(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms, const QString& title,
             WindowSearch how) {
  if (title.isEmpty() || root == kNoWindow) return {};
  bool published = false;
  if (how != WindowSearch::WindowTree) {
    const std::vector<xcb_window_t> clients = ClientList(c, root, atoms, &published);
    if (published || how == WindowSearch::ClientList)
      return {FirstTitled(c, atoms, clients, title), true};
  }
  return {SearchWindowTree(c, root, atoms, title), false};
}

void Activate(xcb_connection_t* c, xcb_window_t root, const Atoms& atoms, const Found& found) {
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof event);
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = found.window;
  event.type = atoms.activeWindow;
  // Source 2 (a pager) because focus-stealing prevention honours a request on behalf of the
  // user; this process has no user time of its own to offer.
  event.data.data32[0] = 2;
  event.data.data32[1] = XCB_CURRENT_TIME;
  event.data.data32[2] = kNoWindow;
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));

  const std::uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(c, found.window, XCB_CONFIG_WINDOW_STACK_MODE, &above);

  if (!found.managed) {
    // Without a window manager nobody answers _NET_ACTIVE_WINDOW; give the focus directly,
    // which X allows only for a viewable window.
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, found.window), nullptr));
    if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
      xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, found.window, XCB_CURRENT_TIME);
  }

  // A round trip, so that the server has taken every request before the connection closes
  // and the process ends.
  xcb_flush(c);
  Reply<xcb_get_input_focus_reply_t> sync(
      xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

}  // namespace

bool CanOpenDisplay(const char* displayName) {
  const Connection connection(displayName);
  return connection.IsOpen();
}

std::uint32_t FindTitledWindow(const char* displayName, const QString& title, WindowSearch how) {
  const Connection connection(displayName);
  if (!connection.IsOpen()) return 0;
  xcb_connection_t* c = connection.Get();
  return Search(c, connection.Root(), InternAtoms(c), title, how).window;
}

bool ActivateTitledWindow(const char* displayName, const QString& title, WindowSearch how) {
  const Connection connection(displayName);
  if (!connection.IsOpen()) return false;
  xcb_connection_t* c = connection.Get();
  const xcb_window_t root = connection.Root();
  const Atoms atoms = InternAtoms(c);
  const Found found = Search(c, root, atoms, title, how);
  if (found.window == kNoWindow) return false;
  Activate(c, root, atoms, found);
  return true;
}

}  // namespace ui::x11
