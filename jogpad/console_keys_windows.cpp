// Console keys on Windows: the console's own key input through the C runtime
// (_kbhit/_getch), which already yields a key without a character as a prefix
// code (0 or 0xE0) followed by its extended code. The console's mode is not
// changed, so there is nothing to give back.
#include "console_keys.h"

#include <conio.h>
#include <windows.h>

namespace jogpad {

namespace {

// The console input itself, even when standard input is redirected; waited on
// so that waiting for a key costs no CPU.
HANDLE consoleInput = INVALID_HANDLE_VALUE;

bool isModifierKey(WORD virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
    case VK_LWIN:
    case VK_RWIN:
      return true;
    default:
      return false;
  }
}

// Whether an input record can give _getch a code: a key going down that is not
// a lone modifier. Releases, mouse, focus and resize events never do.
bool mayYieldKey(const INPUT_RECORD& record) {
  return record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
         !isModifierKey(record.Event.KeyEvent.wVirtualKeyCode);
}

}  // namespace

bool openConsoleKeys() {
  consoleInput = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
  if (consoleInput == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (!GetConsoleMode(consoleInput, &mode)) {
    CloseHandle(consoleInput);
    consoleInput = INVALID_HANDLE_VALUE;
    return false;
  }
  return true;
}

void closeConsoleKeys() {
  if (consoleInput == INVALID_HANDLE_VALUE) return;
  CloseHandle(consoleInput);
  consoleInput = INVALID_HANDLE_VALUE;
}

bool keyWaiting() { return _kbhit() != 0; }

void waitForConsoleInput() {
  if (WaitForSingleObject(consoleInput, INFINITE) != WAIT_OBJECT_0) {
    Sleep(10);  // The console is unusable; keep the retries cheap.
    return;
  }
  if (_kbhit()) return;
  // The handle stays signalled while any event is queued, including those that
  // yield no key; drop those from the front so that the next wait blocks again.
  INPUT_RECORD record;
  DWORD count = 0;
  while (PeekConsoleInputW(consoleInput, &record, 1, &count) && count == 1) {
    if (mayYieldKey(record)) {
      // A key-down the runtime does not report as a key: do not spin on it.
      if (!_kbhit()) Sleep(1);
      return;
    }
    ReadConsoleInputW(consoleInput, &record, 1, &count);
  }
}

int readKey() { return _getch(); }

}  // namespace jogpad
