// SPDX-License-Identifier: GPL-3.0-or-later
// A window of another program for the real-window tests: plain xcb, its own WM_CLASS, and a
// title given on the command line. Prints its window id once mapped and lives until the
// window manager closes it or the test ends it.
//
// Usage: orbitsim_titled_window both|net|wm TITLE
//   both: _NET_WM_NAME and WM_NAME; net: only _NET_WM_NAME (UTF-8); wm: only WM_NAME (Latin-1)
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(r);
  return a;
}

void SetText(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
             const std::string& text) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 8,
                      static_cast<std::uint32_t>(text.size()), text.data());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s both|net|wm TITLE\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const std::string title = argv[2];

  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  const xcb_screen_t* screen = it.data;

  const xcb_window_t w = xcb_generate_id(c);
  const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 50, 50, 400, 300, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);

  if (mode == "both" || mode == "net")
    SetText(c, w, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), title);
  if (mode == "both" || mode == "wm") SetText(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
  // Instance and class, each NUL-terminated: a program that is not ours.
  const char wmClass[] = "titledwindow\0OtherProgram";
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      sizeof wmClass, wmClass);
  const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = Atom(c, "WM_DELETE_WINDOW");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, protocols, XCB_ATOM_ATOM, 32, 1, &deleteWindow);

  xcb_map_window(c, w);
  xcb_flush(c);

  bool announced = false;
  while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAP_NOTIFY && !announced) {
      std::printf("%u\n", w);
      std::fflush(stdout);
      announced = true;
    } else if (type == XCB_CLIENT_MESSAGE) {
      const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
      if (message->type == protocols && message->data.data32[0] == deleteWindow) {
        std::free(event);
        break;
      }
    }
    std::free(event);
  }
  xcb_disconnect(c);
  return 0;
}
