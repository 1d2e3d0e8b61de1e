// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the window reads and writes them: the decimal comma, no thousands separator, text
// that does not read as a number counting as 0, and the table's patterns "0" and "0.000" whose
// halves go away from zero. Formatting writes into a caller's buffer and never allocates.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "sim/Constants.h"
#include "sim/ShortText.h"

namespace sim {

// A buffer large enough for any number these functions write: "0" and "0.000" write every
// integer digit, and the largest double has 309 of them.
using NumberBuffer = std::array<char, 330>;

// A floating number with the decimal comma: blanks around it, an optional sign, digits with an
// optional comma and an optional exponent. Anything else (a decimal point, a thousands
// separator, hexadecimal, "inf", "nan", a value beyond the double range) gives nothing.
std::optional<double> ReadFloat(std::string_view text);
// A decimal integer in the 32-bit signed range, blanks around it allowed; nothing otherwise.
std::optional<std::int32_t> ReadInt32(std::string_view text);

// The parsing rule of the input fields: text that does not read as a number is 0.
inline double ParseFloat(std::string_view text) { return ReadFloat(text).value_or(0.0); }
inline std::int32_t ParseInt32(std::string_view text) { return ReadInt32(text).value_or(0); }

// A rounded (whole) value as a 64-bit integer; nothing when it is not finite or does not fit.
std::optional<std::int64_t> ToWholeNumber(double rounded);

namespace detail {

inline constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The eight decimal digits of v < 10^8, one per byte, the first in the lowest byte: v is split
// into halves of four digits, each half into pairs, each pair into digits, all halves, pairs and
// digits of a level at once in the lanes of one 64-bit word (divisions by 100 and 10 as
// multiplications that are exact below 10^4 and 10^2).
inline std::uint64_t EightDigits(std::uint32_t v) {
  const std::uint64_t halves = (v / 10000) | std::uint64_t{v % 10000} << 32;
  const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Fu;
  const std::uint64_t pairs = hundreds | (halves - 100 * hundreds) << 16;
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Fu;
  return tens | (pairs - 10 * tens) << 8;
}

}  // namespace detail

// A whole number in decimal, minus sign when negative. Inline and mostly without loops: the
// altitude field is written at every step.
inline std::string_view FormatInteger(std::int64_t value, NumberBuffer& buffer) {
  // Room for the 19 digits and the sign of any value; the eight digits below end where a word of
  // an aligned buffer ends.
  char* const end = buffer.data() + 24;
  char* p = end;
  const auto magnitude = static_cast<std::uint64_t>(value);
  std::uint64_t u = value < 0 ? 0 - magnitude : magnitude;
  if (std::endian::native == std::endian::little && u < 100000000) {
    // Below 10^8: all eight digits in one word, the leading zeros dropped (one digit is kept).
    const std::uint64_t digits = detail::EightDigits(static_cast<std::uint32_t>(u));
    const std::uint64_t text = digits + 0x3030303030303030u;
    p -= 8;
    std::memcpy(p, &text, 8);
    p += std::min(std::countr_zero(digits) / 8, 7);
  } else {
    while (u >= 100) {
      p -= 2;
      std::memcpy(p, detail::DigitPairs + 2 * (u % 100), 2);
      u /= 100;
    }
    if (u >= 10) {
      p -= 2;
      std::memcpy(p, detail::DigitPairs + 2 * u, 2);
    } else {
      *--p = static_cast<char>('0' + u);
    }
  }
  if (value < 0) *--p = '-';
  return {p, static_cast<std::size_t>(end - p)};
}
// The pattern "0": the nearest whole number, a half away from zero, no separators.
std::string_view FormatWhole(double value, NumberBuffer& buffer);
// The pattern "0.000": at least one integer digit, the separator and three decimals, a half
// away from zero. The window uses the comma; the headless tool a point.
std::string_view FormatThousandths(double value, NumberBuffer& buffer, char separator = ',');
// The general format: up to 15 significant digits, trailing zeros dropped, decimal comma.
std::string_view FormatGeneral15(double value, NumberBuffer& buffer);

// Whether the altitude offset still holds its sentinel: its general text reads "-123,45".
// At 15 significant digits only values within about 5e-13 of the sentinel read so; anything
// further away is decided here, inline, and only the few close values are formatted.
bool FormatsAsAltOffsetSentinel(double AltOffset);
inline bool IsAltOffsetSentinel(double AltOffset) {
  const double distance = AltOffset - AltOffsetSentinel;
  return distance < 1e-9 && distance > -1e-9 && FormatsAsAltOffsetSentinel(AltOffset);
}

// A field's text read as a number, remembered together with the text: while the field holds
// the same characters, reading it again gives the same number without parsing them again. The
// text is kept whatever its length: keeping it allocates only when a text comes that is longer
// than all before, never at a reading of the same text.
template <class Number, std::optional<Number> (*Parse)(std::string_view)>
class RememberedNumber {
 public:
  std::optional<Number> Read(std::string_view text) {
    if (!kept_ || !SameText(text, text_)) {
      value_ = Parse(text);
      text_.assign(text.data(), text.size());
      kept_ = true;
    }
    return value_;
  }
  // The same for a field that can change only when foreign code runs, with the count of such
  // runs: the text is compared only when the count has moved since the last reading.
  std::optional<Number> Read(std::string_view text, std::uint64_t foreignCodeRuns) {
    if (kept_ && foreignCodeRuns == asOf_) return value_;
    asOf_ = foreignCodeRuns;
    return Read(text);
  }

 private:
  std::string text_;
  bool kept_ = false;
  std::uint64_t asOf_ = 0;
  std::optional<Number> value_;
};

}  // namespace sim
