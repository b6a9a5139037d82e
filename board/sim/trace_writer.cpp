// Buffered writer of the simulated board's call trace.
#include "trace_writer.h"

#include <cerrno>
#include <cstring>

#include "trace_line.h"

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
  if (kBufferSize - used_ < TRACE_LINE_MAX) flush();
  char* end = formatTraceLine(buffer_.get() + used_, verb, value);
  used_ = static_cast<std::size_t>(end - buffer_.get());
}

void TraceWriter::flush() {
  if (used_ > 0) std::fwrite(buffer_.get(), 1, used_, file_);
  used_ = 0;
  std::fflush(file_);
}

}  // namespace board::sim
