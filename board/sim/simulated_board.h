// The simulated board: stands in for the interface board wherever the board
// library is not bound. It follows the eight outputs with a motion model and,
// as the environment asks, records every operation (BOARD_TRACE), draws the
// pen's path (BOARD_PLOT), reports the run (BOARD_REPORT) and counts the waits
// instead of sleeping them (BOARD_FAST=1).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "motion.h"
#include "trace_writer.h"

namespace board::sim {

class SimulatedBoard {
 public:
  // Reads BOARD_TRACE, BOARD_PLOT, BOARD_REPORT and BOARD_FAST from the environment.
  SimulatedBoard();
  // Writes the plot and the report, if asked for.
  ~SimulatedBoard();
  SimulatedBoard(const SimulatedBoard&) = delete;
  SimulatedBoard& operator=(const SimulatedBoard&) = delete;

  void open(int32_t cardAddress);
  void set(int32_t output);
  void clear(int32_t output);
  // Counts ms milliseconds and, unless fast, sleeps them.
  void wait(int32_t ms);

  // Whether output 1..8 is on; false for any other number.
  bool isOn(int32_t output) const { return motion_.isOn(output); }
  const MotionModel& motion() const { return motion_; }

 private:
  MotionModel motion_;
  bool fast_ = false;
  std::unique_ptr<TraceWriter> trace_;
  std::FILE* plot_ = nullptr;
  std::FILE* report_ = nullptr;
  const char* plotPath_ = nullptr;
  const char* reportPath_ = nullptr;
};

// The one board of this process; its trace, plot and report are complete once
// the process ends normally (return from main or exit).
SimulatedBoard& theBoard();

}  // namespace board::sim
