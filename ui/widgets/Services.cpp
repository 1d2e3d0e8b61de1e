// The services over Qt: the pump over processEvents, the dialog over QMessageBox, the time text
// over the system locale.
#include "ui/widgets/Services.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <QWidget>

#include "ui/widgets/ImageControl.h"

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

// Drops the time-zone token 't' (and the blanks before it) outside quoted literal text.
QString WithoutTimeZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format.at(i);
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('t')) {
      while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
      continue;
    }
    out.append(c);
  }
  return out.trimmed();
}

}  // namespace

void PumpEvents() {
  if (PumpHook()) {
    // A copy, so that a hook may replace or remove itself.
    const std::function<void()> hook = PumpHook();
    hook();
  }
  FlushAllImageControls();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetPumpHook(std::function<void()> hook) { PumpHook() = std::move(hook); }

void RepaintNow(QWidget* control) {
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
  if (MessageHook()) {
    MessageHook()(title, text);
    return;
  }
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::NoIcon, title, shown, QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.show();
  if (const QScreen* screen = box.screen()) {
    const QRect frame = box.frameGeometry();
    box.move(screen->geometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
  box.exec();
}

void SetMessageHook(std::function<void(const QString&, const QString&)> hook) {
  MessageHook() = std::move(hook);
}

QString LongTimeText(int hours, int minutes, int seconds) {
  long long total = static_cast<long long>(hours) * 3600 + static_cast<long long>(minutes) * 60 + seconds;
  total = ((total % 86400) + 86400) % 86400;
  const int t = static_cast<int>(total);
  const QTime time(t / 3600, (t / 60) % 60, t % 60);
  const QLocale locale = QLocale::system();
  return locale.toString(time, WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

}  // namespace ui
