// SPDX-License-Identifier: GPL-3.0-or-later
// The long time format read into pieces once per locale, and the time written from them.
#include "ui/widgets/TimeText.h"

#include <QTime>

#include <optional>

namespace ui {

namespace {

constexpr int SecondsPerDay = 86400;

// Whether `c` is one the locale's formatter may read as more than itself: a quote or a Latin
// letter (AM/PM, milliseconds, time zones and letters kept for fields). Other characters, the
// words of Chinese or Japanese formats included, stand for themselves.
bool NeedsTheFormatter(QChar c) {
  return c == QLatin1Char('\'') || (c.unicode() < 128 && c.isLetter());
}

}  // namespace

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

TimeOfDayText::TimeOfDayText(const QLocale& locale)
    : locale_(locale), format_(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {
  // Without an AM/PM part both 'h' and 'H' count the hours of the day from 0 to 23.
  direct_ = locale_.zeroDigit() == QStringLiteral("0");
  for (qsizetype i = 0; i < format_.size() && direct_;) {
    const QChar c = format_.at(i);
    qsizetype run = 1;
    while (i + run < format_.size() && format_.at(i + run) == c) ++run;
    Piece piece;
    if (c == QLatin1Char('h') || c == QLatin1Char('H')) {
      piece.kind = Piece::Hours;
    } else if (c == QLatin1Char('m')) {
      piece.kind = Piece::Minutes;
    } else if (c == QLatin1Char('s')) {
      piece.kind = Piece::Seconds;
    } else if (NeedsTheFormatter(c)) {
      direct_ = false;
      break;
    } else {
      piece.text = format_.mid(i, run);
    }
    if (piece.kind != Piece::Literal) {
      if (run > 2) {
        direct_ = false;
        break;
      }
      piece.width = static_cast<int>(run);
    }
    pieces_.push_back(piece);
    i += run;
  }
  if (!direct_) pieces_.clear();
}

QString TimeOfDayText::Text(int seconds) const {
  const int t = (seconds % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
  if (!direct_) return locale_.toString(QTime(t / 3600, (t / 60) % 60, t % 60), format_);
  QString text;
  text.reserve(16);
  for (const Piece& piece : pieces_) {
    int value = 0;
    switch (piece.kind) {
      case Piece::Hours: value = t / 3600; break;
      case Piece::Minutes: value = (t / 60) % 60; break;
      case Piece::Seconds: value = t % 60; break;
      case Piece::Literal: text += piece.text; continue;
    }
    if (value >= 10 || piece.width == 2) text += QLatin1Char(static_cast<char>('0' + value / 10));
    text += QLatin1Char(static_cast<char>('0' + value % 10));
  }
  return text;
}

QString LongTimeText(int seconds) {
  // The pieces are kept per system locale.
  static std::optional<TimeOfDayText> text;
  const QLocale system = QLocale::system();
  if (!text || !(system == text->Locale())) text.emplace(system);
  return text->Text(seconds);
}

}  // namespace ui
