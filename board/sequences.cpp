// Power-up, power-down and step pulse: fixed call sequences, the same on every backend.
#include "board_outputs.h"

namespace board {

void powerUp() {
  openBoard(CARD_ADDRESS);
  for (int32_t output = 1; output <= OUTPUT_COUNT; ++output) clearOutput(output);
  setOutput(OUT_RUN_1);
  setOutput(OUT_RUN_2);
}

void powerDown() {
  // The run lines go off first, so the drivers are disabled before anything else
  // changes; clearing 3 and 6 again in the sweep is harmless and kept.
  clearOutput(OUT_RUN_1);
  clearOutput(OUT_RUN_2);
  for (int32_t output = 1; output <= OUTPUT_COUNT; ++output) clearOutput(output);
}

void stepPulse(int32_t output, int32_t ms) {
  setOutput(output);
  wait(ms);
  clearOutput(output);
  wait(ms);
}

}  // namespace board
