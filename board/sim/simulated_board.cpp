// The simulated board and the board operations bound to it.
#include "simulated_board.h"

#include <cstdlib>

#include "../board_outputs.h"
#include "../millisleep.h"

namespace board::sim {

SimulatedBoard::SimulatedBoard() {
  const char* path = std::getenv("BOARD_TRACE");
  if (path != nullptr && *path != '\0') trace_ = TraceWriter::open(path);
}

void SimulatedBoard::open(int32_t cardAddress) {
  if (trace_) trace_->line("open", cardAddress);
}

void SimulatedBoard::set(int32_t output) {
  if (trace_) trace_->line("set", output);
  write(output, true);
}

void SimulatedBoard::clear(int32_t output) {
  if (trace_) trace_->line("clear", output);
  write(output, false);
}

void SimulatedBoard::wait(int32_t ms) {
  if (trace_) trace_->line("wait", ms);
  sleepMilliseconds(ms < 0 ? 0u : static_cast<uint32_t>(ms));
}

bool SimulatedBoard::isOn(int32_t output) const {
  if (output < 1 || output > OUTPUT_COUNT) return false;
  return (outputs_ >> (output - 1)) & 1u;
}

void SimulatedBoard::write(int32_t output, bool on) {
  // A real board ignores numbers it has no output for; so does this one.
  if (output < 1 || output > OUTPUT_COUNT) return;
  const uint32_t bit = 1u << (output - 1);
  outputs_ = on ? (outputs_ | bit) : (outputs_ & ~bit);
}

SimulatedBoard& theBoard() {
  // Built on first use and destroyed at exit, which flushes the trace.
  static SimulatedBoard board;
  return board;
}

}  // namespace board::sim

namespace board {

void openBoard(int32_t cardAddress) { sim::theBoard().open(cardAddress); }
void setOutput(int32_t output) { sim::theBoard().set(output); }
void clearOutput(int32_t output) { sim::theBoard().clear(output); }
void wait(int32_t ms) { sim::theBoard().wait(ms); }

}  // namespace board
