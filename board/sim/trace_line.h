// Formats one trace line, "<verb> <value>\n", the way every trace of board
// calls in this project reads. Digits are written by hand: this runs four
// times per step pulse.
#pragma once

#include <cstdint>

namespace board::sim {

// The longest line is "clear -2147483648\n"; a buffer needs this much room.
inline constexpr int TRACE_LINE_MAX = 32;

// Writes the line at out (TRACE_LINE_MAX bytes free) and returns its end.
inline char* formatTraceLine(char* out, const char* verb, int32_t value) {
  while (*verb != '\0') *out++ = *verb++;
  *out++ = ' ';
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *out++ = digits[--count];
  *out++ = '\n';
  return out;
}

}  // namespace board::sim
