// The simulated board and the board operations bound to it.
#include "simulated_board.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "../board_outputs.h"
#include "../millisleep.h"
#include "preview_writer.h"

namespace board::sim {
namespace {

const char* setting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// Opened at start, so a bad path is reported before the run rather than after it.
std::FILE* openPreview(const char* path, const char* what) {
  if (path == nullptr) return nullptr;
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "Board %s: cannot write %s (%s); running without a %s.\n", what, path,
                 std::strerror(errno), what);
  }
  return file;
}

void finishPreview(std::FILE* file, const char* path, const char* what, bool written) {
  if (std::fclose(file) != 0) written = false;
  if (!written) std::fprintf(stderr, "Board %s: writing %s failed.\n", what, path);
}

}  // namespace

SimulatedBoard::SimulatedBoard() {
  if (const char* path = setting("BOARD_TRACE")) trace_ = TraceWriter::open(path);
  const char* fast = setting("BOARD_FAST");
  fast_ = fast != nullptr && std::strcmp(fast, "0") != 0;
  plotPath_ = setting("BOARD_PLOT");
  reportPath_ = setting("BOARD_REPORT");
  plot_ = openPreview(plotPath_, "plot");
  report_ = openPreview(reportPath_, "report");
}

SimulatedBoard::~SimulatedBoard() {
  if (plot_ != nullptr) finishPreview(plot_, plotPath_, "plot", writePlot(plot_, motion_));
  if (report_ != nullptr) {
    finishPreview(report_, reportPath_, "report", writeReport(report_, motion_));
  }
}

void SimulatedBoard::open(int32_t cardAddress) {
  if (trace_) trace_->line("open", cardAddress);
  motion_.open(cardAddress);
}

void SimulatedBoard::set(int32_t output) {
  if (trace_) trace_->line("set", output);
  motion_.set(output);
}

void SimulatedBoard::clear(int32_t output) {
  if (trace_) trace_->line("clear", output);
  motion_.clear(output);
}

void SimulatedBoard::wait(int32_t ms) {
  if (trace_) trace_->line("wait", ms);
  motion_.wait(ms);
  if (!fast_) sleepMilliseconds(ms < 0 ? 0u : static_cast<uint32_t>(ms));
}

SimulatedBoard& theBoard() {
  // Built on first use and destroyed at exit, which completes the trace and
  // writes the plot and the report.
  static SimulatedBoard board;
  return board;
}

}  // namespace board::sim

namespace board {

void openBoard(int32_t cardAddress) { sim::theBoard().open(cardAddress); }
void setOutput(int32_t output) { sim::theBoard().set(output); }
void clearOutput(int32_t output) { sim::theBoard().clear(output); }
void wait(int32_t ms) { sim::theBoard().wait(ms); }

}  // namespace board
