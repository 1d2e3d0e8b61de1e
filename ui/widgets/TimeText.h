// SPDX-License-Identifier: GPL-3.0-or-later
// The time of day as the user's locale writes it in its long format, without a time zone. A run
// shows a new duration at every pump; most locales' formats are hours, minutes and seconds with
// separators between them, which are written here directly instead of by the locale's general
// formatter, which reads the whole format again for each text.
#pragma once

#include <QLocale>
#include <QString>
#include <vector>

namespace ui {

// `format` without the time-zone token 't' and the blanks before it (outside quoted text).
QString WithoutTimeZone(const QString& format);

// One locale's long time format, read once.
class TimeOfDayText {
 public:
  explicit TimeOfDayText(const QLocale& locale);
  const QLocale& Locale() const { return locale_; }
  // The time `seconds` after midnight, taken modulo a day.
  QString Text(int seconds) const;
  // Whether Text() writes the digits itself (the format has hours, minutes, seconds and
  // separators only, and the locale writes Western digits).
  bool Direct() const { return direct_; }

 private:
  // A piece of the format: a field of one or two digits, or text written as it stands.
  struct Piece {
    enum Kind { Hours, Minutes, Seconds, Literal } kind = Literal;
    int width = 0;  // 1: no leading zero, 2: two digits
    QString text;
  };

  QLocale locale_;
  QString format_;
  bool direct_ = false;
  std::vector<Piece> pieces_;
};

// The time of day `seconds` after midnight (taken modulo a day) in the system locale's long time
// format, without a time-zone part.
QString LongTimeText(int seconds);

}  // namespace ui
