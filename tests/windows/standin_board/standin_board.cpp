// Stand-in for the board library in tests: exports the three ordinals the
// programs import and appends "open N", "set N" and "clear N" lines to the file
// that BOARD_TRACE names (no trace when it is unset). It cannot see the waits.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "sim/trace_line.h"

namespace {

// One trace per process: lines are gathered here and written on a full buffer
// and when the library is unloaded at process end.
struct Trace {
  HANDLE file = INVALID_HANDLE_VALUE;
  bool opened = false;
  DWORD used = 0;
  char buffer[1 << 16];
};
Trace trace;

void writeBuffered() {
  if (trace.used == 0) return;
  DWORD written = 0;
  if (trace.file != INVALID_HANDLE_VALUE) WriteFile(trace.file, trace.buffer, trace.used, &written, nullptr);
  trace.used = 0;
}

void openTrace() {
  trace.opened = true;
  const char* path = std::getenv("BOARD_TRACE");
  if (path == nullptr || *path == '\0') return;
  // Append, so that a test can keep one trace across several runs.
  trace.file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void line(const char* verb, int32_t value) {
  if (!trace.opened) openTrace();
  if (trace.file == INVALID_HANDLE_VALUE) return;
  if (sizeof trace.buffer - trace.used < board::sim::TRACE_LINE_MAX) writeBuffered();
  char* end = board::sim::formatTraceLine(trace.buffer + trace.used, verb, value);
  trace.used = static_cast<DWORD>(end - trace.buffer);
}

}  // namespace

extern "C" {

void WINAPI standinOpen(int32_t cardAddress) { line("open", cardAddress); }
void WINAPI standinSetOutput(int32_t output) { line("set", output); }
void WINAPI standinClearOutput(int32_t output) { line("clear", output); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) {
    writeBuffered();
    if (trace.file != INVALID_HANDLE_VALUE) CloseHandle(trace.file);
    trace.file = INVALID_HANDLE_VALUE;
  }
  return TRUE;
}

}  // extern "C"
