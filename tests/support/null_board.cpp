// The do-nothing board backend: every operation returns at once; waits do not sleep.
#include "null_board.h"

#include "board_outputs.h"

namespace null_board {
namespace {

uint64_t& pulses() {
  static uint64_t count = 0;
  return count;
}

}  // namespace

uint64_t stepPulses() { return pulses(); }

}  // namespace null_board

namespace board {

void openBoard(int32_t) {}
void setOutput(int32_t output) {
  if (output == OUT_X_STEP || output == OUT_Y_STEP) ++null_board::pulses();
}
void clearOutput(int32_t) {}
void wait(int32_t) {}

}  // namespace board
