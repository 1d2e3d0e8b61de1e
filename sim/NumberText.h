// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the window reads and writes them: the decimal comma, no thousands separator, text
// that does not read as a number counting as 0, and the table's patterns "0" and "0.000" whose
// halves go away from zero. Formatting writes into a caller's buffer and never allocates.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sim/Constants.h"

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

// A whole number in decimal, minus sign when negative.
std::string_view FormatInteger(std::int64_t value, NumberBuffer& buffer);
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

}  // namespace sim
