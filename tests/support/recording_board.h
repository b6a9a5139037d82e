// A board backend for in-process tests: records every operation and wait, in
// call order, in the same words as the simulated board's trace.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace recording_board {

// The calls since the last reset, one "open N" / "set N" / "clear N" / "wait MS" each.
const std::vector<std::string>& calls();
void reset();

// A console stream whose text joins the call record as "out <text>" entries,
// so a test sees board calls and console text in the order they happened.
std::FILE* console();

// `count` step pulses on `output` with waits of `ms`, as the board sees them.
std::vector<std::string> pulses(int output, int count, int ms = 0);

// a followed by b.
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b);

}  // namespace recording_board
