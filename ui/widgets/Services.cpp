// The services over Qt: the pump over processEvents, the dialog over QMessageBox, the time text
// over the system locale.
#include "ui/widgets/Services.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QTime>
#include <QWidget>
#include <QWindow>
#include <memory>

#include <vector>

#include "ui/widgets/Edit.h"
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

// The long time format taken apart once, so that a time text costs a few appends. It is used
// only when it gives the locale's own text for a probe of every hour; otherwise QLocale writes
// every text.
class TimeFormat {
 public:
  explicit TimeFormat(const QLocale& locale)
      : locale_(locale), format_(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {
    usable_ = Parse();
    for (int h = 0; usable_ && h < 24; ++h) {
      for (const QTime probe : {QTime(h, 0, 0), QTime(h, 7, 9), QTime(h, 59, 59)})
        usable_ = usable_ && Write(probe.hour(), probe.minute(), probe.second()) ==
                                 locale_.toString(probe, format_);
    }
  }

  const QLocale& Locale() const { return locale_; }

  QString Text(int hours, int minutes, int seconds) const {
    if (usable_) return Write(hours, minutes, seconds);
    return locale_.toString(QTime(hours, minutes, seconds), format_);
  }

 private:
  enum class Kind { Literal, Hour, Hour24, Minute, Second, Milliseconds, AmPmUpper, AmPmLower };
  struct Token {
    Kind kind;
    int width;  // the digits at least; for Milliseconds, the digits shown
    QString text;
  };

  // Qt's time pattern letters; any other letter outside quotes leaves the work to QLocale.
  bool Parse() {
    const QString& f = format_;
    QString literal;
    const auto flush = [&] {
      if (!literal.isEmpty()) tokens_.push_back({Kind::Literal, 0, literal});
      literal.clear();
    };
    qsizetype i = 0;
    while (i < f.size()) {
      const QChar c = f.at(i);
      if (c == QLatin1Char('\'')) {
        if (i + 1 < f.size() && f.at(i + 1) == QLatin1Char('\'')) {
          literal.append(c);
          i += 2;
          continue;
        }
        const qsizetype end = f.indexOf(QLatin1Char('\''), i + 1);
        if (end < 0) return false;
        literal.append(f.mid(i + 1, end - i - 1));
        i = end + 1;
        continue;
      }
      qsizetype run = 1;
      while (i + run < f.size() && f.at(i + run) == c) ++run;
      if (c == QLatin1Char('h') || c == QLatin1Char('H') || c == QLatin1Char('m') ||
          c == QLatin1Char('s')) {
        if (run > 2) return false;
        flush();
        const Kind kind = c == QLatin1Char('h')   ? Kind::Hour
                          : c == QLatin1Char('H') ? Kind::Hour24
                          : c == QLatin1Char('m') ? Kind::Minute
                                                  : Kind::Second;
        tokens_.push_back({kind, static_cast<int>(run), {}});
      } else if (c == QLatin1Char('z')) {
        flush();
        tokens_.push_back({Kind::Milliseconds, run >= 3 ? 3 : 1, {}});
      } else if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
        const bool upper = c == QLatin1Char('A');
        const QChar p = upper ? QLatin1Char('P') : QLatin1Char('p');
        if (run != 1) return false;
        flush();
        tokens_.push_back({upper ? Kind::AmPmUpper : Kind::AmPmLower, 0, {}});
        twelveHours_ = true;
        if (i + 1 < f.size() && f.at(i + 1) == p) ++run;
      } else if (c.isLetter()) {
        return false;
      } else {
        literal.append(QString(run, c));
      }
      i += run;
    }
    flush();
    return true;
  }

  // value is 0 to 59 (hours, minutes, seconds of a time of day).
  static void AppendNumber(QString& out, int value, int width) {
    if (width == 2 || value >= 10) out.append(QChar(u'0' + value / 10));
    out.append(QChar(u'0' + value % 10));
  }

  QString Write(int hours, int minutes, int seconds) const {
    QString out;
    out.reserve(24);
    for (const Token& t : tokens_) {
      switch (t.kind) {
        case Kind::Literal: out.append(t.text); break;
        case Kind::Hour: {
          int h = hours;
          if (twelveHours_) h = h % 12 == 0 ? 12 : h % 12;
          AppendNumber(out, h, t.width);
          break;
        }
        case Kind::Hour24: AppendNumber(out, hours, t.width); break;
        case Kind::Minute: AppendNumber(out, minutes, t.width); break;
        case Kind::Second: AppendNumber(out, seconds, t.width); break;
        case Kind::Milliseconds: out.append(t.width == 3 ? QStringLiteral("000") : QStringLiteral("0")); break;
        case Kind::AmPmUpper: out.append((hours < 12 ? locale_.amText() : locale_.pmText()).toUpper()); break;
        case Kind::AmPmLower: out.append((hours < 12 ? locale_.amText() : locale_.pmText()).toLower()); break;
      }
    }
    return out;
  }

  QLocale locale_;
  QString format_;
  std::vector<Token> tokens_;
  bool twelveHours_ = false;
  bool usable_ = false;
};

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
  FlushAllImageControls();
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

QString LongTimeText(int hours, int minutes, int seconds) {
  long long total = static_cast<long long>(hours) * 3600 + static_cast<long long>(minutes) * 60 + seconds;
  total = ((total % 86400) + 86400) % 86400;
  const int t = static_cast<int>(total);
  // The run asks for a text at every step: the format is taken apart once per system locale.
  static std::unique_ptr<TimeFormat> format;
  const QLocale locale = QLocale::system();
  if (!format || !(format->Locale() == locale)) format = std::make_unique<TimeFormat>(locale);
  return format->Text(t / 3600, (t / 60) % 60, t % 60);
}

}  // namespace ui
