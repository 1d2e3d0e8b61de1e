// SPDX-License-Identifier: GPL-3.0-or-later
// Screen pixels with GetImage and the Shift key with XTest, over libxcb.
#include "ScreenPixels.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>
#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// A round trip on a connection: every request sent on it before has been handled.
void Sync(xcb_connection_t* conn) {
  Reply<xcb_get_input_focus_reply_t> reply(
      xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
}

xcb_connection_t* ApplicationConnection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

ScreenPixels::ScreenPixels(const QByteArray& displayName) {
  conn_ = xcb_connect(displayName.constData(), nullptr);
}

ScreenPixels::~ScreenPixels() { xcb_disconnect(conn_); }

bool ScreenPixels::IsOpen() const { return xcb_connection_has_error(conn_) == 0; }

QImage ScreenPixels::Grab(std::uint32_t window, const QRect& rect) {
  if (xcb_connection_t* app = ApplicationConnection()) {
    xcb_flush(app);
    Sync(app);
  }
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
      conn_,
      xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(rect.x()),
                    static_cast<std::int16_t>(rect.y()), static_cast<std::uint16_t>(rect.width()),
                    static_cast<std::uint16_t>(rect.height()), ~0u),
      &error));
  std::free(error);
  // The suite's server is 24 bits deep with 32-bit pixels, the layout of QImage::Format_RGB32.
  if (!reply || reply->depth != 24) return {};
  const int length = xcb_get_image_data_length(reply.get());
  if (length != rect.width() * rect.height() * 4) return {};
  QImage image(rect.size(), QImage::Format_RGB32);
  const std::uint8_t* data = xcb_get_image_data(reply.get());
  for (int y = 0; y < rect.height(); ++y)
    std::memcpy(image.scanLine(y), data + static_cast<std::ptrdiff_t>(y) * rect.width() * 4,
                static_cast<std::size_t>(rect.width()) * 4);
  return image;
}

QRect ScreenPixels::FrameOnScreen(std::uint32_t window) {
  // The frame is the window's ancestor just below the root.
  for (;;) {
    Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr));
    if (!tree) return {};
    if (tree->parent == tree->root) break;
    window = tree->parent;
  }
  Reply<xcb_get_geometry_reply_t> g(
      xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr));
  if (!g) return {};
  return QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
}

void ScreenPixels::HoldShift(bool down) {
  // The keycode that the server's keyboard map gives Shift_L.
  constexpr std::uint32_t ShiftL = 0xffe1;
  const xcb_setup_t* setup = xcb_get_setup(conn_);
  const std::uint8_t first = setup->min_keycode;
  const std::uint8_t count = static_cast<std::uint8_t>(setup->max_keycode - first + 1);
  Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
      conn_, xcb_get_keyboard_mapping(conn_, first, count), nullptr));
  if (!map) return;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
  const int perCode = map->keysyms_per_keycode;
  for (int code = 0; code < count; ++code) {
    if (syms[static_cast<std::ptrdiff_t>(code) * perCode] != ShiftL) continue;
    xcb_test_fake_input(conn_, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                        static_cast<std::uint8_t>(first + code), XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                        0);
    Sync(conn_);
    return;
  }
}
