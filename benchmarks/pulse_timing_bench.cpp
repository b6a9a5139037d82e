// Real period of step pulses on the simulated board: each pulse is on, wait,
// off, wait, so its nominal period is 2 · delay. Reports measured / nominal.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "board_outputs.h"

namespace {

void BM_PulsePeriod(benchmark::State& state) {
  const auto delay = static_cast<int32_t>(state.range(0));
  double seconds = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    board::stepPulse(board::OUT_X_STEP, delay);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    seconds += took.count();
  }
  const double periodMs = 1000.0 * seconds / static_cast<double>(state.iterations());
  state.counters["period_ms"] = periodMs;
  state.counters["nominal_ms"] = 2.0 * delay;
  state.counters["ratio"] = periodMs / (2.0 * delay);
}
// About half a second of pulses per delay.
BENCHMARK(BM_PulsePeriod)->Arg(1)->Iterations(250)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PulsePeriod)->Arg(2)->Iterations(125)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PulsePeriod)->Arg(5)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The simulated board would trace every operation to this file; timing wants none.
  unsetenv("BOARD_TRACE");
  board::powerUp();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  board::powerDown();
  return 0;
}
