// SPDX-License-Identifier: GPL-3.0-or-later
// The services over Qt: the pump over processEvents and the dialog over QMessageBox.
#include "ui/widgets/Services.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "ui/widgets/OutputField.h"

namespace ui {

namespace {

std::function<void()>& PumpHook() {
  static std::function<void()> hook;
  return hook;
}

std::function<void(const QString&, const QString&)>& MessageHook() {
  static std::function<void(const QString&, const QString&)> hook;
  return hook;
}

// Places a shown top-level window so that its frame stands in the middle of its screen.
void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  // The native window knows its frame as soon as the window manager has put it on; the
  // widget's own idea of it may still be the size without a frame.
  QWindow* native = window.windowHandle();
  const QSize frame = native != nullptr ? native->frameGeometry().size() : window.size();
  const QPoint place(area.x() + (area.width() - frame.width()) / 2,
                     area.y() + (area.height() - frame.height()) / 2);
  // Through the native window, which places the frame by the margins it knows.
  if (native != nullptr) {
    native->setFramePosition(place);
  } else {
    window.move(place);
  }
}

}  // namespace

void PumpEvents() {
  // What the run wrote since the last pump reaches the fields before anyone looks at them.
  ShowPendingTexts();
  if (PumpHook()) {
    // A copy, so that a hook may replace or remove itself.
    const std::function<void()> hook = PumpHook();
    hook();
  }
  // The drawing areas' flushes are among the posted events.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetPumpHook(std::function<void()> hook) { PumpHook() = std::move(hook); }

void RepaintNow(QWidget* control) {
  ShowPendingTexts();
  if (control != nullptr) control->repaint();
}

void SleepMs(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool IsShiftDown() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); }

void SetCursorPos(int x, int y) { QCursor::setPos(x, y); }

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize();
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text) {
  // The dialog runs an event loop: what the fields hold is what they show in it.
  ShowPendingTexts();
  if (MessageHook()) {
    MessageHook()(title, text);
    return;
  }
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::NoIcon, title, shown, QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  // Shown first where the dialog puts itself, over the middle of its parent. The window manager
  // frames the box only once it is shown, and it is the frame that stands in the middle of the
  // screen: where the main window wears a frame, the box's own is waited for (half a second at
  // the most) before the box is placed, from within the dialog's own event loop. Placing it
  // before its frame is settled would race the window manager.
  const QWindow* main = parent != nullptr ? parent->window()->windowHandle() : nullptr;
  const bool framed = main != nullptr && !main->frameMargins().isNull();
  QElapsedTimer waited;
  QTimer placer;
  placer.setInterval(10);
  QObject::connect(&placer, &QTimer::timeout, &box, [&] {
    const QWindow* own = box.windowHandle();
    if (framed && (own == nullptr || own->frameMargins().isNull()) && waited.elapsed() < 500)
      return;
    placer.stop();
    CentreOnScreen(box);
  });
  waited.start();
  placer.start();
  box.exec();
}

void SetMessageHook(std::function<void(const QString&, const QString&)> hook) {
  MessageHook() = std::move(hook);
}

}  // namespace ui
