// Key presses read from the console itself (not from standard input), one code
// per read and without echo; one implementation file per platform.
#pragma once

namespace jogpad {

// What readKey yields once the console has gone away (hung up, closed).
inline constexpr int CONSOLE_GONE = -1;

// Takes the console's keys over for this process; false if the process has no console.
// Until closeConsoleKeys, typed keys are neither echoed nor held back for a whole line.
bool openConsoleKeys();

// Gives the console back exactly as openConsoleKeys found it.
void closeConsoleKeys();

// Whether a read would not block (a key code waiting, or the console gone); consumes nothing.
bool keyWaiting();

// Blocks, without keeping a CPU busy, until the console has input or a signal arrives;
// callers test keyWaiting again afterwards.
void waitForConsoleInput();

// Reads one key code, 0..255, without echo; a key without a character gives two codes on
// two reads. CONSOLE_GONE if the console has gone away.
int readKey();

}  // namespace jogpad
