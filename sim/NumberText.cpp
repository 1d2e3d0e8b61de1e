// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts with the decimal comma, and the table's rounding patterns.
#include "sim/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "sim/Constants.h"

namespace sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// snprintf into the buffer; the formats used here always fit.
std::string_view Print(NumberBuffer& buffer, const char* format, double value) {
  const int n = std::snprintf(buffer.data(), buffer.size(), format, value);
  if (n < 0) return {};
  return {buffer.data(), static_cast<std::size_t>(n) < buffer.size() ? static_cast<std::size_t>(n)
                                                                     : buffer.size() - 1};
}

// A printed "-0", "-0.000" and the like become unsigned: a value that rounds to zero is zero.
std::string_view DropNegativeZero(std::string_view text) {
  if (text.size() > 1 && text.front() == '-' &&
      text.find_first_of("123456789") == std::string_view::npos)
    text.remove_prefix(1);
  return text;
}

std::string_view NonFinite(double value, NumberBuffer& buffer) {
  const char* word = std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
  const std::size_t n = std::strlen(word);
  std::memcpy(buffer.data(), word, n);
  return {buffer.data(), n};
}

}  // namespace

std::optional<double> ReadFloat(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  // Check the whole grammar first: from_chars alone would accept a decimal point, "inf",
  // "nan" and hexadecimal forms, and stop silently at a thousands separator. The number is
  // copied with a point for from_chars: on the stack when it is short, as every number a
  // user types is; a longer one still reads as the number it is.
  std::array<char, 64> shortCopy;
  std::string longCopy;
  char* plain = shortCopy.data();
  if (text.size() > shortCopy.size()) {
    longCopy.resize(text.size());
    plain = longCopy.data();
  }
  std::size_t i = 0, n = 0;
  if (text[i] == '+' || text[i] == '-') {
    if (text[i] == '-') plain[n++] = '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) plain[n++] = text[i++], ++digits;
  if (i < text.size() && text[i] == ',') {
    plain[n++] = '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) plain[n++] = text[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain[n++] = 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain[n++] = text[i++];
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) plain[n++] = text[i++], ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, error] = std::from_chars(plain, plain + n, value);
  if (error != std::errc() || end != plain + n || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ReadInt32(std::string_view text) {
  text = TrimBlanks(text);
  // One sign at the most: from_chars takes a minus itself, so a plus goes only before a digit
  // ("+-5" is no number).
  if (text.size() > 1 && text.front() == '+' && IsDigit(text[1])) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ToWholeNumber(double rounded) {
  // 2^63 is exact as a double; every double below it and at least -2^63 converts exactly.
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0)) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

std::string_view FormatWhole(double value, NumberBuffer& buffer) {
  if (!std::isfinite(value)) return NonFinite(value, buffer);
  const double whole = std::round(value);  // exact, a half away from zero
  if (const auto fits = ToWholeNumber(whole)) return FormatInteger(*fits, buffer);
  return Print(buffer, "%.0f", whole);  // beyond 64 bits: every digit of the (whole) double
}

std::string_view FormatThousandths(double value, NumberBuffer& buffer, char separator) {
  if (!std::isfinite(value)) return NonFinite(value, buffer);
  std::string_view text;
  // A tie is a value whose exact binary expansion ends in a 5 right after the third decimal:
  // then 2000 x value is an odd integer, computed without rounding. printf would take the even
  // neighbour there; the pattern takes the one away from zero.
  const double doubled = value * 2000.0;
  if (std::fabs(doubled) < 9007199254740992.0 && doubled == std::trunc(doubled) &&
      std::fma(value, 2000.0, -doubled) == 0.0 && std::fmod(doubled, 2.0) != 0.0) {
    const double thousandths = (doubled + (doubled > 0 ? 1.0 : -1.0)) / 2.0;
    const auto whole = static_cast<std::int64_t>(std::fabs(thousandths));
    const int n =
        std::snprintf(buffer.data(), buffer.size(), "%s%lld.%03lld", thousandths < 0 ? "-" : "",
                      static_cast<long long>(whole / 1000), static_cast<long long>(whole % 1000));
    text = {buffer.data(), static_cast<std::size_t>(n)};
  } else {
    text = Print(buffer, "%.3f", value);  // no tie: the nearest is unambiguous
  }
  text = DropNegativeZero(text);
  if (const auto point = text.find('.'); point != std::string_view::npos)
    buffer[static_cast<std::size_t>(text.data() - buffer.data()) + point] = separator;
  return text;
}

std::string_view FormatGeneral15(double value, NumberBuffer& buffer) {
  if (!std::isfinite(value)) return NonFinite(value, buffer);
  const std::string_view text = Print(buffer, "%.15G", value);
  if (const auto point = text.find('.'); point != std::string_view::npos) buffer[point] = ',';
  return text;
}

bool FormatsAsAltOffsetSentinel(double AltOffset) {
  NumberBuffer buffer;
  return FormatGeneral15(AltOffset, buffer) == "-123,45";
}

}  // namespace sim
