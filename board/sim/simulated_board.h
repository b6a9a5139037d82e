// The simulated board: stands in for the interface board wherever the board
// library is not bound. It keeps the state of the eight outputs and, when
// BOARD_TRACE names a file, records every operation and wait there.
#pragma once

#include <cstdint>
#include <memory>

#include "trace_writer.h"

namespace board::sim {

class SimulatedBoard {
 public:
  // Reads BOARD_TRACE from the environment.
  SimulatedBoard();

  void open(int32_t cardAddress);
  void set(int32_t output);
  void clear(int32_t output);
  void wait(int32_t ms);

  // Whether output 1..8 is on; false for any other number.
  bool isOn(int32_t output) const;

 private:
  void write(int32_t output, bool on);

  uint32_t outputs_ = 0;  // bit n-1 holds output n
  std::unique_ptr<TraceWriter> trace_;
};

// The one board of this process; its trace is complete once the process ends normally.
SimulatedBoard& theBoard();

}  // namespace board::sim
