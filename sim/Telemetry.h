// SPDX-License-Identifier: GPL-3.0-or-later
// Telemetry: what a run writes into the result fields and the table at its four points (entry,
// every step's altitude, every step record of pass 1, the end), and the outcome of pass 1.
// The two points met at every step are templates over the host, as the run procedure is.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Colours.h"
#include "base/RoundEven.h"
#include "sim/NumberText.h"
#include "sim/RunHost.h"

namespace sim {

// What the run keeps of the altitude fields from one step to the next: the text of the last
// altitude, which a step at the same whole kilometre writes again without formatting it, and
// the text of the maximum's field with the number it reads as. The texts the run wrote lie in
// two buffers, so that a new altitude never overwrites the text the maximum still compares with.
class AltitudeFields {
 public:
  AltitudeFields() = default;
  AltitudeFields(const AltitudeFields&) = delete;  // the texts point into the buffers
  AltitudeFields& operator=(const AltitudeFields&) = delete;

  // hKm as the altitude field shows it: RoundEven in whole kilometres, in decimal.
  std::string_view Text(double hKm) {
    const double rounded = base::RoundEven(hKm);
    if (rounded >= -2147483648.0 && rounded <= 2147483647.0) {
      const auto value = static_cast<std::int32_t>(rounded);
      if (isInt32_ && value == value_) return text_;
      value_ = value;
      isInt32_ = true;
      text_ = FormatInteger(value, FreeBuffer());
      return text_;
    }
    isInt32_ = false;
    const auto whole = ToWholeNumber(rounded);
    NumberBuffer& buffer = FreeBuffer();
    text_ = whole ? FormatInteger(*whole, buffer) : FormatWhole(hKm, buffer);
    return text_;
  }
  // What the last text reads as for the current altitude: 1 when it is no 32-bit integer.
  std::int32_t Current() const { return isInt32_ ? value_ : 1; }

  // The maximum's field read as an integer, 0 when it is not one. Text the run did not write
  // there is parsed, and kept, so that it is parsed once.
  std::int32_t Maximum(std::string_view field) {
    if (maxKnown_ && SameText(field, maxText_)) return max_;
    max_ = ReadInt32(field).value_or(0);
    maxBuffer_ = -1;
    maxKnown_ = field.size() <= sizeof foreign_;
    if (maxKnown_) {
      CopyText(foreign_, field);
      maxText_ = {foreign_, field.size()};
    }
    return max_;
  }
  // The same for a host that counts the foreign code it runs, with its count: the field is read
  // only when such code has run since the run last read or wrote it.
  std::int32_t Maximum(std::string_view field, std::uint64_t foreignCodeRuns) {
    if (maxKnown_ && foreignCodeRuns == maxAsOf_) return max_;
    maxAsOf_ = foreignCodeRuns;
    return Maximum(field);
  }
  // The maximum's field now holds the last text (as of that count).
  void MaximumIsCurrent(std::uint64_t foreignCodeRuns = 0) {
    maxText_ = text_;
    max_ = isInt32_ ? value_ : 0;
    maxKnown_ = true;
    maxBuffer_ = textBuffer_;
    maxAsOf_ = foreignCodeRuns;
  }

 private:
  NumberBuffer& FreeBuffer() {
    textBuffer_ = maxBuffer_ == 0 ? 1 : 0;
    return textBuffer_ == 0 ? first_ : second_;
  }

  // Aligned, so that the digits are written and read back in whole, aligned words.
  alignas(64) NumberBuffer first_;
  alignas(64) NumberBuffer second_;
  std::string_view text_;
  int textBuffer_ = 0;
  std::int32_t value_ = 0;
  bool isInt32_ = false;
  std::string_view maxText_;
  int maxBuffer_ = -1;  // the buffer maxText_ lies in, -1 for foreign_
  std::int32_t max_ = 0;
  bool maxKnown_ = false;
  std::uint64_t maxAsOf_ = 0;
  char foreign_[24];
};

// Both altitude fields read "0" at the start of every call.
void TelemetryRunEntry(RunHost& host);

// The current altitude in whole kilometres, compared with the maximum read back from its field:
// lime at or above it (and the maximum follows), red below it.
template <class Host>
[[gnu::always_inline]] inline void TelemetryAltitudeUpdate(Host& host, double hKm,
                                                           AltitudeFields& fields) {
  const std::string_view text = fields.Text(hKm);
  host.SetAltitudeText(text);
  // Both fields are read back. The number of the run's own text is known, other text, whoever
  // put it there, is parsed. A host that counts the foreign code it runs holds the text just
  // written, and the maximum as the run last knew it unless such code has run since.
  std::int32_t max;
  std::int32_t cur = fields.Current();
  if constexpr (CountsForeignCode<Host>) {
    max = fields.Maximum(host.MaxAltText(), host.ForeignCodeRuns());
  } else {
    max = fields.Maximum(host.MaxAltText());
    const std::string_view shown = host.AltitudeText();
    if (!SameText(shown, text)) cur = ReadInt32(shown).value_or(1);
  }
  if (max > cur) {
    host.SetAltitudeColour(base::colours::Red);
  } else {
    host.SetMaxAltText(text);
    if constexpr (CountsForeignCode<Host>)
      fields.MaximumIsCurrent(host.ForeignCodeRuns());
    else
      fields.MaximumIsCurrent();
    host.SetAltitudeColour(base::colours::Lime);
  }
}

// The outcome (when this step has ended the run), the table row and the duration of a step of
// pass 1. Returns false for the lost outcome, which ends the pass without a row.
template <class Host>
bool TelemetryStepRecord(Host& host, const RunState& s, bool Running, bool ZeroGravity) {
  if (!Running) {
    if (s.gR == 0 && !ZeroGravity) {
      host.ShowLostMessage();
      host.SetAltitudeText("Lost");
      return false;
    }
    host.SetAltitudeText(ZeroGravity ? "Out of view" : "Crashed");
  }
  host.WriteStepRow(s);
  host.SetDuration(s.StepCount);
  return true;
}

// The table shown with its last row current, the final duration, the presets enabled, the run
// buttons idle and the altitude field white again.
void TelemetryRunEnd(RunHost& host, const RunState& s);

}  // namespace sim
