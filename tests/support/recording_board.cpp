// The recording board backend used by the in-process tests.
#include "recording_board.h"

#include <cstdint>
#include <cstdio>
#include <sys/types.h>

#include "board_outputs.h"

namespace recording_board {
namespace {

std::vector<std::string>& log() {
  static std::vector<std::string> entries;
  return entries;
}

void record(const char* verb, int32_t value) {
  log().push_back(std::string(verb) + " " + std::to_string(value));
}

ssize_t recordText(void*, const char* text, size_t size) {
  auto& entries = log();
  // One printf may arrive in several writes; keep one entry per run of text.
  if (entries.empty() || entries.back().rfind("out ", 0) != 0) entries.push_back("out ");
  entries.back().append(text, size);
  return static_cast<ssize_t>(size);
}

}  // namespace

std::FILE* console() {
  static std::FILE* stream = [] {
    std::FILE* f = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, recordText, nullptr,
                                                                    nullptr});
    std::setvbuf(f, nullptr, _IONBF, 0);
    return f;
  }();
  return stream;
}

const std::vector<std::string>& calls() { return log(); }
void reset() { log().clear(); }

std::vector<std::string> pulses(int output, int count, int ms) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) {
    out.push_back("set " + std::to_string(output));
    out.push_back("wait " + std::to_string(ms));
    out.push_back("clear " + std::to_string(output));
    out.push_back("wait " + std::to_string(ms));
  }
  return out;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace recording_board

namespace board {

void openBoard(int32_t cardAddress) { recording_board::record("open", cardAddress); }
void setOutput(int32_t output) { recording_board::record("set", output); }
void clearOutput(int32_t output) { recording_board::record("clear", output); }
void wait(int32_t ms) { recording_board::record("wait", ms); }

}  // namespace board
