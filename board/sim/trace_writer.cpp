// Buffered writer of the simulated board's call trace.
#include "trace_writer.h"

#include <cerrno>
#include <cstring>

namespace board::sim {

std::unique_ptr<TraceWriter> TraceWriter::open(const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "Board trace: cannot write %s (%s); running without a trace.\n", path,
                 std::strerror(errno));
    return nullptr;
  }
  return std::unique_ptr<TraceWriter>(new TraceWriter(file));
}

TraceWriter::TraceWriter(std::FILE* file) : file_(file), buffer_(new char[kBufferSize]) {}

TraceWriter::~TraceWriter() {
  flush();
  std::fclose(file_);
}

void TraceWriter::line(const char* verb, int32_t value) {
  // The longest line is "clear -2147483648\n"; keep room for it.
  if (kBufferSize - used_ < 32) flush();
  char* out = buffer_.get() + used_;
  while (*verb != '\0') *out++ = *verb++;
  *out++ = ' ';
  // Digits are formatted by hand: this runs four times per step pulse.
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
  used_ = static_cast<std::size_t>(out - buffer_.get());
}

void TraceWriter::flush() {
  if (used_ > 0) std::fwrite(buffer_.get(), 1, used_, file_);
  used_ = 0;
  std::fflush(file_);
}

}  // namespace board::sim
