// Speed of the plotter's computation on a board that does nothing: the turn bit
// in its search and constant-time forms, path generation, the segment stepper
// and whole runs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "calibration.h"
#include "dragon_path.h"
#include "null_board.h"
#include "plot_run.h"
#include "segment_stepper.h"

namespace {

using namespace fractrace;

// The turn bit as a search over b = 1, 2, 4, ...: i - b or i + b divisible by 4·b.
// 4·b reaches 2^31 for the largest iteration numbers, hence 64-bit arithmetic.
int32_t turnBitSearch(int32_t i) {
  const int64_t v = i;
  for (int64_t b = 1;; b *= 2) {
    if ((v - b) % (4 * b) == 0) return 0;
    if ((v + b) % (4 * b) == 0) return 1;
  }
}

// The iteration numbers a run reaches: 1 .. 2^30 - 1.
int32_t nextIteration(int32_t i) { return i == (int32_t{1} << 30) - 1 ? 1 : i + 1; }

bool formsAgree() {
  for (int32_t i = 1; i < (1 << 20); ++i) {
    if (turnBitSearch(i) != turnBit(i)) return false;
  }
  for (int32_t i = (1 << 30) - (1 << 16); i < (1 << 30); ++i) {
    if (turnBitSearch(i) != turnBit(i)) return false;
  }
  return true;
}

// range(0) trailing zero bits on every iteration number: the search form takes
// one round per zero bit, the constant-time form does not care.
template <int32_t (*Form)(int32_t)>
void BM_TurnBit(benchmark::State& state) {
  if (!formsAgree()) state.SkipWithError("the two forms of the turn bit disagree");
  const auto zeros = static_cast<int>(state.range(0));
  const int32_t oddLimit = int32_t{1} << (30 - zeros);
  int32_t odd = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Form(odd << zeros));
    odd = odd + 2 < oddLimit ? odd + 2 : 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TurnBit<turnBitSearch>)->Name("turn_bit/search/zero_bits")->Arg(0)->Arg(10)->Arg(28);
BENCHMARK(BM_TurnBit<turnBit>)->Name("turn_bit/constant_time/zero_bits")->Arg(0)->Arg(10)->Arg(28);

// One path iteration: turn bit, then the state machine; items are iterations.
template <int32_t (*Form)(int32_t)>
void BM_PathGeneration(benchmark::State& state) {
  DragonPath path = startPath(0.75);
  int32_t i = 1;
  for (auto _ : state) {
    advance(path, Form(i));
    benchmark::DoNotOptimize(path.target);
    i = nextIteration(i);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PathGeneration<turnBitSearch>)->Name("path_generation/search");
BENCHMARK(BM_PathGeneration<turnBit>)->Name("path_generation/constant_time");

constexpr AxisCalibration kAxis{200, 1.0, 1};  // 200 steps per mm

// The stepper on X moves of range(0) steps back and forth; items are pulses.
void BM_SegmentStepper(benchmark::State& state) {
  SegmentStepper stepper = setUp(kAxis, kAxis, 0);
  const double mm = static_cast<double>(state.range(0)) / 200.0;
  double x = 0.0;
  const uint64_t before = null_board::stepPulses();
  for (auto _ : state) {
    x = x == 0.0 ? mm : 0.0;
    moveTo(stepper, x, 0.0);
  }
  const auto pulses = static_cast<double>(null_board::stepPulses() - before);
  state.counters["pulses"] = benchmark::Counter(pulses, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SegmentStepper)->Arg(300)->Arg(30000);

// A whole run of order range(0) with c = 0.75 mm at 200 steps per mm, delay 0.
void BM_WholeRun(benchmark::State& state) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  const int32_t n = static_cast<int32_t>(state.range(0));
  const uint64_t before = null_board::stepPulses();
  for (auto _ : state) runPlot(n, 0.75, kAxis, kAxis, 0, sink);
  std::fclose(sink);
  const double runs = static_cast<double>(state.iterations());
  const double iterations = static_cast<double>(*iterationCount(n) - 1);
  state.counters["iterations"] = benchmark::Counter(runs * iterations, benchmark::Counter::kIsRate);
  state.counters["pulses"] = benchmark::Counter(
      static_cast<double>(null_board::stepPulses() - before), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeRun)->Arg(0)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
