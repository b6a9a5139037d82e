// jogpad: moves the machine's two motors by hand, 100 steps per key press, and
// shows both running step counts (Y first) after every burst; p ends it.
#include <cstdint>
#include <cstdio>

#include "board_outputs.h"
#include "console_keys.h"

namespace {

constexpr int32_t BURST_STEPS = 100;
constexpr int32_t PULSE_WAIT_MS = 0;

// One jog key: the direction output it switches on or off, the step output it
// pulses, and which count changes by how many steps.
struct JogKey {
  int code;
  bool directionOn;
  int32_t directionOutput;
  int32_t stepOutput;
  bool yAxis;
  int32_t countChange;
};

constexpr JogKey JOG_KEYS[] = {
    {'a', true, board::OUT_X_DIR, board::OUT_X_STEP, false, -BURST_STEPS},
    {'z', false, board::OUT_X_DIR, board::OUT_X_STEP, false, +BURST_STEPS},
    {'.', true, board::OUT_Y_DIR, board::OUT_Y_STEP, true, -BURST_STEPS},
    {',', false, board::OUT_Y_DIR, board::OUT_Y_STEP, true, +BURST_STEPS},
};

// count + change in steps, wrapping at 32 bits as the machine's counter always
// did, so a count jogged past the range wraps instead of being undefined.
int32_t changedCount(int32_t count, int32_t change) {
  return static_cast<int32_t>(static_cast<uint32_t>(count) + static_cast<uint32_t>(change));
}

// The count line, Y count first; long may be wider than the 32-bit counts.
void printCounts(int32_t yCount, int32_t xCount) {
  std::printf("%8ld %8ld\n", static_cast<long>(yCount), static_cast<long>(xCount));
}

const JogKey* findJogKey(int code) {
  for (const JogKey& key : JOG_KEYS) {
    if (key.code == code) return &key;
  }
  return nullptr;
}

// Ends the program when it has no keys to read: the motors are stopped first.
int refuse(const char* problem) {
  std::printf("\n\n%s. Program terminated.\n\n", problem);
  board::powerDown();
  return 1;
}

}  // namespace

int main() {
  board::powerUp();
  if (!jogpad::openConsoleKeys()) return refuse("No console to read keys from");

  std::printf("\nUse the keys a z and , . to run the stepper motors 100 steps at the time.\n\n");
  std::printf("Quit program by pressing p.\n\n");
  std::printf("%8ld %8ld\n\n", 0L, 0L);

  int32_t xCount = 0;
  int32_t yCount = 0;
  for (;;) {
    // The counts must be on screen before the operator is asked for the next key.
    std::fflush(stdout);
    while (!jogpad::keyWaiting()) jogpad::waitForConsoleInput();
    // Every code is looked at on its own, so both codes of a two-code key count.
    const int code = jogpad::readKey();
    if (code == jogpad::CONSOLE_GONE) {
      // Without a console no key can stop the loop, so stop here instead.
      jogpad::closeConsoleKeys();
      return refuse("Console closed");
    }
    if (code == 'p') break;
    const JogKey* key = findJogKey(code);
    if (key == nullptr) continue;

    if (key->directionOn) {
      board::setOutput(key->directionOutput);
    } else {
      board::clearOutput(key->directionOutput);
    }
    for (int32_t step = 0; step < BURST_STEPS; ++step) board::stepPulse(key->stepOutput, PULSE_WAIT_MS);
    int32_t& count = key->yAxis ? yCount : xCount;
    count = changedCount(count, key->countChange);
    printCounts(yCount, xCount);
  }

  jogpad::closeConsoleKeys();
  board::powerDown();
  std::printf("\n%12.5lf\n", 0.0);
  return 0;
}
