// Millisecond sleep on POSIX systems.
#include "millisleep.h"

#include <cerrno>
#include <ctime>
#include <sched.h>

namespace board {

void sleepMilliseconds(uint32_t ms) {
  if (ms == 0) {
    sched_yield();
    return;
  }
  timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  // A signal (a resize, a resumed stop) must not shorten a pulse.
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace board
