// The simulated board's call trace: one line per board operation and per wait,
// in call order ("open 0", "set N", "clear N", "wait MS"), written through a
// large buffer so that a trace of millions of lines costs little.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace board::sim {

class TraceWriter {
 public:
  // Opens path for writing; on failure says so once on standard error and returns null.
  static std::unique_ptr<TraceWriter> open(const char* path);

  ~TraceWriter();
  TraceWriter(const TraceWriter&) = delete;
  TraceWriter& operator=(const TraceWriter&) = delete;

  // Appends "<verb> <value>\n".
  void line(const char* verb, int32_t value);
  // Hands everything buffered so far to the file.
  void flush();

 private:
  explicit TraceWriter(std::FILE* file);

  static constexpr std::size_t kBufferSize = 1 << 16;
  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace board::sim
