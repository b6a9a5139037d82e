// The board output layer: the only code that switches the board's eight digital
// outputs or sleeps. Everything above it sees three operations, a wait, and the
// fixed power-up, power-down and step-pulse sequences built from them.
#pragma once

#include <cstdint>

namespace board {

// Output numbers 1..8 and what each is wired to; 7 and 8 are not used.
inline constexpr int32_t OUT_X_STEP = 1;
inline constexpr int32_t OUT_X_DIR = 2;
inline constexpr int32_t OUT_RUN_1 = 3;
inline constexpr int32_t OUT_Y_STEP = 4;
inline constexpr int32_t OUT_Y_DIR = 5;
inline constexpr int32_t OUT_RUN_2 = 6;
inline constexpr int32_t OUTPUT_COUNT = 8;

// The card address both programs use.
inline constexpr int32_t CARD_ADDRESS = 0;

// Backend operations: one implementation per backend, chosen when the program is built.

// Opens the board at a card address; later output operations act on it.
void openBoard(int32_t cardAddress);
// Switches output 1..8 on.
void setOutput(int32_t output);
// Switches output 1..8 off.
void clearOutput(int32_t output);
// Sleeps ms milliseconds (ms >= 0); 0 only yields the rest of the time slice.
void wait(int32_t ms);

// Sequences shared by both programs, built from the operations above.

// Opens card 0, clears outputs 1..8, then sets the run lines 3 and 6 (eleven calls).
void powerUp();
// Clears the run lines 3 and 6, then outputs 1..8 (ten calls).
void powerDown();
// One step pulse: output on, wait ms, output off, wait ms (ms >= 0).
void stepPulse(int32_t output, int32_t ms);

}  // namespace board
