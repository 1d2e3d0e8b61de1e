// SPDX-License-Identifier: GPL-3.0-or-later
// orbitsim-flight: flies pass 1 of a run with the window's rules, without a window, and prints
// the table the window would show as CSV, or only its summary line.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/DesignSize.h"
#include "sim/NumberText.h"
#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "sim/Zoom.h"
#include "tools/HeadlessHost.h"

namespace {

constexpr const char* Usage =
    "usage: orbitsim-flight [--area WIDTHxHEIGHT] [--zoom-steps K] [--summary] ALTITUDE SPEED";

struct Arguments {
  sim::AreaSize area{base::DesignAreaWidth, base::DesignAreaHeight};
  long zoomSteps = 0;
  bool summary = false;
  std::string altitude, speed;
};

int Unusable(const std::string& why) {
  std::fprintf(stderr, "orbitsim-flight: %s\n%s\n", why.c_str(), Usage);
  return 2;
}

std::optional<sim::AreaSize> ReadArea(std::string_view text) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto width = sim::ReadInt32(text.substr(0, x));
  const auto height = sim::ReadInt32(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return sim::AreaSize{*width, *height};
}

// The zoom buttons stop stepping after nine clicks either way, so more clicks change nothing.
double ZoomAfter(long steps) {
  double factor = 1.0;
  const char16_t direction = steps > 0 ? u'-' : u'+';
  for (long i = 0; i < std::labs(steps) && i < 32; ++i)
    factor = sim::SteppedZoom(factor, direction);
  return factor;
}

const char* Refusal(sim::RunInputs inputs) {
  switch (inputs) {
    case sim::RunInputs::AltitudeTooLow:
      return "no flight can be defined: the altitude must be above -6371 km";
    case sim::RunInputs::NoDrawingArea:
      return "no flight can be defined: the drawing area needs a width and a height";
    case sim::RunInputs::NotAWholeNumber:
      return "no flight can be defined: the rounded speed or altitude does not fit in 64 bits";
    case sim::RunInputs::OrbitRadiusTooLarge:
      return "no flight can be defined: the altitude is too large for the orbit radius";
    case sim::RunInputs::Flown: break;
  }
  return "";
}

// Writes stdout in large blocks: a long flight prints millions of rows.
class Output {
 public:
  Output() { text_.reserve(1 << 20); }
  ~Output() { Flush(); }
  void Put(std::string_view s) {
    text_.append(s);
    if (text_.size() > (1 << 20) - 256) Flush();
  }
  void Put(char c) { text_.push_back(c); }
  void PutShortest(double value) {
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    Put(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
  }
  void Discard() { text_.clear(); }
  void Flush() {
    std::fwrite(text_.data(), 1, text_.size(), stdout);
    text_.clear();
  }

 private:
  std::string text_;
};

void PutRow(Output& out, const sim::RunState& s) {
  sim::NumberBuffer buffer;
  out.Put(sim::FormatInteger(s.StepCount, buffer));
  out.Put(',');
  out.Put(sim::FormatWhole(s.hKm, buffer));
  out.Put(',');
  out.Put(sim::FormatThousandths(s.gR, buffer, '.'));
  out.Put(',');
  out.Put(sim::FormatThousandths(s.fV, buffer, '.'));
  out.Put(',');
  out.PutShortest(s.xSat);
  out.Put(',');
  out.PutShortest(s.ySat);
  out.Put('\n');
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--summary") {
      args.summary = true;
    } else if (!optionsEnded && (arg == "--area" || arg == "--zoom-steps")) {
      if (i + 1 >= argc) return Unusable(std::string(arg) + " needs a value");
      const std::string_view value = argv[++i];
      if (arg == "--area") {
        const auto area = ReadArea(value);
        if (!area) return Unusable("--area takes WIDTHxHEIGHT in whole pixels, e.g. 1051x448");
        args.area = *area;
      } else {
        const auto steps = sim::ReadInt32(value);
        if (!steps) return Unusable("--zoom-steps takes a whole number of clicks");
        args.zoomSteps = *steps;
      }
    } else if (!optionsEnded && arg.size() > 2 && arg.substr(0, 2) == "--") {
      return Unusable("unknown option " + std::string(arg));
    } else {
      positional.emplace_back(arg);
    }
  }
  if (positional.size() != 2) return Unusable("expected ALTITUDE and SPEED");

  KVUGraphiques::ResetUnitState();
  KVUGraphiques::ZoomFactor = ZoomAfter(args.zoomSteps);
  KVUGraphiques::Running = true;  // as the Start button leaves it

  tools::HeadlessHost host(positional[0], positional[1], args.area);
  Output out;
  if (!args.summary) {
    out.Put("time_s,alt_km,galt_ms2,fv_kms,x_px,y_px\n");
    host.OnRow = [&out](const sim::RunState& s) { PutRow(out, s); };
  }
  const sim::RunInputs inputs = tools::RunSimulation(host);
  if (inputs != sim::RunInputs::Flown) {
    out.Discard();  // a refused flight prints no table, not even its header
    std::fprintf(stderr, "orbitsim-flight: %s\n", Refusal(inputs));
    return 1;
  }
  std::string outcome = host.Altitude;
  for (char& c : outcome)
    if (c == ' ') c = '_';
  out.Put(args.summary ? "" : "# ");
  out.Put("outcome=" + outcome + " duration_s=" + std::to_string(host.DurationSteps) +
          " rows=" + std::to_string(host.DataRows) + " max_alt_km=" + host.MaxAlt + "\n");
  return 0;
}
