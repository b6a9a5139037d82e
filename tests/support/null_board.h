// A board backend that does nothing but count: for the fuzzer and the benchmarks,
// where the cost or the safety of the code above the board is what is measured.
#pragma once

#include <cstdint>

namespace null_board {

// Step pulses begun on outputs 1 (X step) and 4 (Y step) since the process started.
uint64_t stepPulses();

}  // namespace null_board
