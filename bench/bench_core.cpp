// SPDX-License-Identifier: GPL-3.0-or-later
// The flight core per step: one integrator step alone, and whole flights through the run
// procedure with a windowless host (altitude text, read-back and comparison included), each
// reported as nanoseconds per simulated second.
#include <benchmark/benchmark.h>

#include "scene/ViewGeometry.h"
#include "sim/Integrator.h"
#include "sim/RunSimulation.h"
#include "sim/UnitState.h"
#include "tools/HeadlessHost.h"

namespace {

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

void FlyFlight(benchmark::State& state, const char* speed) {
  long steps = 0;
  for (auto _ : state) {
    KVUGraphiques::ResetUnitState();
    KVUGraphiques::Running = true;
    tools::HeadlessHost host("20200", speed, {1000, 800});
    sim::RunSimulation(host);
    steps += host.DurationSteps;
    benchmark::DoNotOptimize(host.MaxAlt.data());
  }
  SetPerStep(state, static_cast<double>(steps));
}

void BM_GpsFlight(benchmark::State& state) { FlyFlight(state, "14000"); }
void BM_LostFlight(benchmark::State& state) { FlyFlight(state, "100000"); }

}  // namespace

BENCHMARK(BM_IntegratorStep);
BENCHMARK(BM_GpsFlight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LostFlight)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
