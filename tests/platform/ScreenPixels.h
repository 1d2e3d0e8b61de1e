// What the X server shows, read back over a connection of the test's own: a window's pixels as
// they are on the screen, after everything the program's own connection sent has been handled.
// Also where a window stands on the screen with its window manager's frame, and the Shift key
// held down on the server (XTest), as the platform's key state reports it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <cstdint>

struct xcb_connection_t;

class ScreenPixels {
 public:
  explicit ScreenPixels(const QByteArray& displayName);
  ~ScreenPixels();
  ScreenPixels(const ScreenPixels&) = delete;
  ScreenPixels& operator=(const ScreenPixels&) = delete;

  bool IsOpen() const;
  // The pixels of `rect` (in the window's own coordinates) as the server shows them; a null
  // image when the server refuses. Waits first until the server has handled every request the
  // application's own connection made, so that a paint already sent is on the screen.
  QImage Grab(std::uint32_t window, const QRect& rect);
  // The window with the frame the window manager put around it, in screen pixels; null when
  // the window is gone.
  QRect FrameOnScreen(std::uint32_t window);
  // Presses or releases the left Shift key on the server, as a person at the keyboard does.
  void HoldShift(bool down);

 private:
  xcb_connection_t* conn_ = nullptr;
};
