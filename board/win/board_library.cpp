// The Windows backend: the board operations go straight to the board library;
// it keeps no state and writes no trace of its own.
#include "board_library.h"

#include "../board_outputs.h"
#include "../millisleep.h"

namespace board {

void openBoard(int32_t cardAddress) { boardLibraryOpen(cardAddress); }
void setOutput(int32_t output) { boardLibrarySetOutput(output); }
void clearOutput(int32_t output) { boardLibraryClearOutput(output); }

void wait(int32_t ms) {
  // Same as the simulated board: a negative wait only yields instead of
  // becoming a weeks-long Sleep of its unsigned reading.
  sleepMilliseconds(ms < 0 ? 0u : static_cast<uint32_t>(ms));
}

}  // namespace board
