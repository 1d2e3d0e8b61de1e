// Telemetry: what a run writes into the result fields and the table at its four points (entry,
// every step's altitude, every step record of pass 1, the end), and the outcome of pass 1.
// The two points met at every step are templates over the host, as the run procedure is.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/Colours.h"
#include "sim/NumberText.h"
#include "sim/RoundEven.h"
#include "sim/RunHost.h"

namespace sim {

// What the run knows of the maximum's field: the text read there or written there last, and the
// number that text reads as.
using MaxAltReading = RememberedNumber<std::int32_t, ReadInt32>;

// What the run keeps of the altitude fields from one step to the next: the text of the last
// altitude, which a step at the same whole kilometre writes again without formatting it, and
// the reading of the maximum's field.
class AltitudeFields {
 public:
  AltitudeFields() = default;
  AltitudeFields(const AltitudeFields&) = delete;  // the text lies in the buffer
  AltitudeFields& operator=(const AltitudeFields&) = delete;

  // hKm as the altitude field shows it: RoundEven in whole kilometres, in decimal.
  std::string_view Text(double hKm) {
    const double rounded = RoundEven(hKm);
    if (rounded >= -2147483648.0 && rounded <= 2147483647.0) {
      const auto value = static_cast<std::int32_t>(rounded);
      if (!isInt32_ || value != value_) {
        text_ = FormatInteger(value, buffer_);
        value_ = value;
        isInt32_ = true;
      }
      return text_;
    }
    isInt32_ = false;
    const auto whole = ToWholeNumber(rounded);
    text_ = whole ? FormatInteger(*whole, buffer_) : FormatWhole(hKm, buffer_);
    return text_;
  }
  // The number the last text reads as: nothing for a whole number beyond 32 bits.
  std::optional<std::int32_t> Value() const {
    return isInt32_ ? std::optional<std::int32_t>(value_) : std::nullopt;
  }

  MaxAltReading max;

 private:
  NumberBuffer buffer_;
  std::string_view text_;
  std::int32_t value_ = 0;
  bool isInt32_ = false;
};

// Both altitude fields read "0" at the start of every call.
void TelemetryRunEntry(RunHost& host);

// The current altitude in whole kilometres, compared with the maximum read back from its field:
// lime at or above it (and the maximum follows), red below it.
template <class Host>
void TelemetryAltitudeUpdate(Host& host, double hKm, AltitudeFields& fields) {
  const std::string_view text = fields.Text(hKm);
  host.SetAltitudeText(text);
  // Both fields are read back as the window shows them. The number of the run's own text is
  // known; other text, whoever put it there, is parsed.
  const std::int32_t max = fields.max.Read(host.MaxAltText()).value_or(0);
  const std::string_view shown = host.AltitudeText();
  const std::int32_t cur = (SameText(shown, text) ? fields.Value() : ReadInt32(shown)).value_or(1);
  if (max > cur) {
    host.SetAltitudeColour(scene::colours::Red);
  } else {
    host.SetMaxAltText(text);
    fields.max.Keep(text, fields.Value());
    host.SetAltitudeColour(scene::colours::Lime);
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
