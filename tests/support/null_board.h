// A board backend that does nothing but count: for the fuzzer and the benchmarks,
// where the cost or the safety of the code above the board is what is measured.
#pragma once

#include <cstdint>

namespace null_board {

// Number of setOutput calls since the process started (each step pulse makes one).
uint64_t setCount();

}  // namespace null_board
