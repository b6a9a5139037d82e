// The do-nothing board backend: every operation returns at once; waits do not sleep.
#include "null_board.h"

#include "board_outputs.h"

namespace null_board {
namespace {

uint64_t& sets() {
  static uint64_t count = 0;
  return count;
}

}  // namespace

uint64_t setCount() { return sets(); }

}  // namespace null_board

namespace board {

void openBoard(int32_t) {}
void setOutput(int32_t) { ++null_board::sets(); }
void clearOutput(int32_t) {}
void wait(int32_t) {}

}  // namespace board
