// The platform's millisecond sleep, used only by the board backends' wait.
#pragma once

#include <cstdint>

namespace board {

// Sleeps ms milliseconds; 0 gives up the rest of the time slice and returns.
void sleepMilliseconds(uint32_t ms);

}  // namespace board
