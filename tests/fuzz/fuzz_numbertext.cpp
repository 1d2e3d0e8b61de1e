// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the number texts: whatever the text, parsing never fails loudly, a value read is
// finite, and what the formats write reads back as the value they were given.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/RoundEven.h"
#include "sim/NumberText.h"

namespace {
void Require(bool condition) {
  if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sim::NumberBuffer buffer;

  if (const auto value = sim::ReadFloat(text)) {
    Require(std::isfinite(*value));
    // The field's normalisation: rounded, written as integer text, read back the same.
    if (const auto whole = sim::ToWholeNumber(base::RoundEven(*value))) {
      const std::string written(sim::FormatInteger(*whole, buffer));
      Require(sim::ReadFloat(written) == static_cast<double>(*whole));
    }
    const std::string thousandths(sim::FormatThousandths(*value, buffer));
    Require(thousandths.find(',') != std::string::npos);
    if (std::fabs(*value) < 1e12) {
      const auto back = sim::ReadFloat(thousandths);
      Require(back && std::fabs(*back - *value) <= 0.0005 + 1e-9 * std::fabs(*value));
    }
    const std::string whole(sim::FormatWhole(*value, buffer));
    Require(whole.find_first_of(",.") == std::string::npos);
    Require(sim::ReadFloat(sim::FormatGeneral15(*value, buffer)).has_value());
  }
  if (const auto value = sim::ReadInt32(text)) {
    Require(sim::ReadInt32(sim::FormatInteger(*value, buffer)) == *value);
  }
  // Raw bytes as a double: every format copes with any bit pattern.
  if (size >= sizeof(double)) {
    double raw;
    std::memcpy(&raw, data, sizeof raw);
    sim::FormatWhole(raw, buffer);
    sim::FormatThousandths(raw, buffer, '.');
    sim::FormatGeneral15(raw, buffer);
    sim::IsAltOffsetSentinel(raw);
    base::RoundEvenInt(raw);
  }
  return 0;
}
