// Millisecond sleep on Windows. Sleep rounds to the system timer (often
// 15.6 ms), which would stretch a 1 ms pulse wait tenfold, so the timer is set
// to 1 ms from the first wait until the program ends.
#include "millisleep.h"

#include <windows.h>
#include <mmsystem.h>

namespace board {

namespace {

// Holds the 1 ms timer resolution while it lives.
class FineTimer {
 public:
  FineTimer() : granted_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
  ~FineTimer() {
    if (granted_) timeEndPeriod(1);
  }
  FineTimer(const FineTimer&) = delete;
  FineTimer& operator=(const FineTimer&) = delete;

 private:
  bool granted_;
};

}  // namespace

void sleepMilliseconds(uint32_t ms) {
  // Made on the first call and released at exit.
  static const FineTimer fineTimer;
  // Sleep(0) gives up the rest of the time slice, as the wait's 0 means.
  Sleep(ms);
}

}  // namespace board
