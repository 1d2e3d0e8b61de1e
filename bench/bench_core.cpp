// SPDX-License-Identifier: GPL-3.0-or-later
// The flight core per step: one integrator step alone, and whole flights through the run
// procedure with a windowless host (altitude text, read-back and comparison included), each
// reported as nanoseconds per simulated second; then each flight against its floor, a plain and
// exact computation of the same flight, as a ratio of medians of alternating repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

#include "scene/ViewGeometry.h"
#include "sim/Integrator.h"
#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "tools/HeadlessHost.h"

namespace {

// What a flight comes to: its duration in steps and its highest whole-kilometre altitude.
struct FlightResult {
  std::int32_t steps = 0;
  std::int64_t maxAlt = 0;
};

// The floor: pass 1 of a flight on a W x H area, computed plainly with the integrator and the
// stop rule and nothing else. No fields, no host, no table; the altitude is calibrated on the
// first step and its maximum kept as a number. Same operations in the same order as the run's
// step, so the same flight to the last bit.
FlightResult FlyPlainly(std::int32_t W, std::int32_t H, std::int32_t alt0, double speedKmh) {
  constexpr double g0 = 9.81;
  const scene::ViewGeometry view =
      scene::ComputeViewGeometry(W, H, sim::EarthRadiusKm, sim::EarthRadiusKm + alt0, 1.0);
  const scene::StartPoint start =
      scene::PassStartPoint(view.CentreX, view.CentreY, view.OrbitRadiusPx);
  const double k = view.PixelsPerKm, R = view.EarthRadiusPx, R2 = R * R;
  const double cx = view.CentreX, cy = view.CentreY;
  const double iV = speedKmh / 3600;
  double x = start.xSat, y = start.ySat, fV = 0, offset = 0;
  FlightResult f;
  for (std::int32_t n = 0;; ++n) {
    const double adj = cx - x, opp = cy - y;
    const double hyp = std::sqrt(adj * adj + opp * opp);
    const double hPix = hyp - R;
    double hKm = hPix / k;
    if (n == 0) offset = alt0 - hKm;
    hKm = hKm + offset;
    f.maxAlt = std::max(f.maxAlt, static_cast<std::int64_t>(std::nearbyint(hKm)));
    double gR = g0;
    if (!(0.01 * R > hPix)) {
      const double factor = hPix * hPix / R2 + (2 * hPix / R + 1);
      gR = 10000 * g0 >= factor ? g0 / factor : 0;
    }
    if (gR > g0) gR = g0;
    fV = fV + gR / 1000;
    const double sine = opp / hyp, cosine = adj / hyp;
    x = x + k * fV * cosine;
    y = (y - k * iV) + k * fV * sine;
    if (!(hKm > 0 && gR < 10 && gR > 0 && y <= cy)) {
      f.steps = gR == 0 ? n : n + 1;  // the lost step adds no row and no second
      return f;
    }
  }
}

// The same flight through the run procedure, as Start begins it, with the headless host.
FlightResult FlyThroughTheRun(std::int32_t W, std::int32_t H, const char* alt, const char* speed) {
  KVUGraphiques::ResetUnitState();
  KVUGraphiques::Running = true;
  tools::HeadlessHost host(alt, speed, {W, H});
  tools::RunSimulation(host);
  return {host.DurationSteps, std::atoll(host.MaxAlt.c_str())};
}

struct Flight {
  const char* name;
  std::int32_t W, H;
  const char* alt;
  const char* speed;
};

constexpr Flight GpsFlight{"GPS flight", 1000, 800, "20200", "14000"};
constexpr Flight LostFlight{"lost flight", 1000, 800, "20200", "100000"};
// The headless tool's long case: a month-long climb to 1.64 million km and back.
constexpr Flight LongFlight{"long flight", 1000, 800, "20200", "24850"};

FlightResult Run(const Flight& f) { return FlyThroughTheRun(f.W, f.H, f.alt, f.speed); }
FlightResult Floor(const Flight& f) {
  return FlyPlainly(f.W, f.H, std::atoi(f.alt), std::atof(f.speed));
}

void SetPerStep(benchmark::State& state, double steps) {
  state.counters["ns_per_step"] =
      benchmark::Counter(steps, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Steps 1 to 10 of the integrator on the GPS pass, restarted every 10000 steps so that the
// object stays in flight.
void BM_IntegratorStep(benchmark::State& state) {
  sim::RunState start;
  start.alt0 = 20200;
  sim::ApplyView(start, scene::ComputeViewGeometry(1000, 800, 6371, 26571, 1.0));
  sim::PlaceAtStart(start);
  start.iV = 14000.0 / 3600;
  start.g0 = 9.81;
  start.AltOffset = sim::AltOffsetSentinel;
  sim::RunState s = start;
  double vertSpeed = 0;
  long steps = 0;
  for (auto _ : state) {
    if (++steps % 10000 == 0) s = start;
    sim::MeasureAltitude(s);
    sim::FallAndMove(s, false, vertSpeed);
    benchmark::DoNotOptimize(s.xSat);
  }
  SetPerStep(state, static_cast<double>(steps));
}

template <FlightResult (*fly)(const Flight&)>
void Fly(benchmark::State& state, const Flight& flight) {
  long steps = 0;
  for (auto _ : state) {
    const FlightResult r = fly(flight);
    steps += r.steps;
    benchmark::DoNotOptimize(r.maxAlt);
  }
  SetPerStep(state, static_cast<double>(steps));
}

void BM_GpsFlight(benchmark::State& state) { Fly<Run>(state, GpsFlight); }
void BM_GpsFloor(benchmark::State& state) { Fly<Floor>(state, GpsFlight); }
void BM_LostFlight(benchmark::State& state) { Fly<Run>(state, LostFlight); }
void BM_LostFloor(benchmark::State& state) { Fly<Floor>(state, LostFlight); }

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Processor seconds for `times` flights.
template <FlightResult (*fly)(const Flight&)>
double Time(const Flight& flight, int times) {
  const double start = CpuSeconds();
  for (int i = 0; i < times; ++i) benchmark::DoNotOptimize(fly(flight).maxAlt);
  return CpuSeconds() - start;
}

// The flight against its floor: floor and run alternately, each sample long enough to read
// (at least 50 ms); the ratio of the medians. False when the two do not fly the same flight.
bool PrintRatio(const Flight& flight, int repetitions, double target) {
  const FlightResult run = Run(flight), floor = Floor(flight);
  if (run.steps != floor.steps || run.maxAlt != floor.maxAlt) {
    std::printf("core %s: the floor flies %d steps up to %lld km, the run %d steps up to %lld km\n",
                flight.name, floor.steps, static_cast<long long>(floor.maxAlt), run.steps,
                static_cast<long long>(run.maxAlt));
    return false;
  }
  const double once = std::max(Time<Floor>(flight, 1), 1e-6);
  const int times = std::max(1, static_cast<int>(0.05 / once));
  std::vector<double> runs, floors;
  for (int i = 0; i < repetitions; ++i) {
    floors.push_back(Time<Floor>(flight, times));
    runs.push_back(Time<Run>(flight, times));
  }
  const double perFlight = 1e9 / times / run.steps;
  const double runNs = Median(runs) * perFlight, floorNs = Median(floors) * perFlight;
  std::printf("core %s: ratio %.2f (target %.1f)  run %.1f ns/step, floor %.1f ns/step, %d steps\n",
              flight.name, runNs / floorNs, target, runNs, floorNs, run.steps);
  return true;
}

}  // namespace

BENCHMARK(BM_IntegratorStep);
BENCHMARK(BM_GpsFlight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GpsFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LostFlight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LostFloor)->Unit(benchmark::kMillisecond);

// The table of Google Benchmark, then the ratios (--ratio-repetitions N, 7 unless given).
int main(int argc, char** argv) {
  int repetitions = 7;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--ratio-repetitions" && i + 1 < argc) {
      repetitions = std::max(1, std::atoi(argv[++i]));
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf(
      "\nbench_core: each flight against its floor, medians of %d alternating repetitions "
      "(processor time)\n",
      repetitions);
  bool same = true;
  for (const Flight* f : {&GpsFlight, &LostFlight, &LongFlight})
    same = PrintRatio(*f, repetitions, 1.3) && same;
  return same ? 0 : 1;
}
