// The motion model of the simulated board: follows the eight outputs as the
// stepper drivers would and keeps what a preview shows (position, pulse counts,
// extent, waits, the pen's path). It knows only outputs, never the programs.
#pragma once

#include <cstdint>
#include <vector>

#include "../board_outputs.h"

namespace board::sim {

// A position in motor steps.
struct StepPoint {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const StepPoint&, const StepPoint&) = default;
};

// Per-axis totals; index with kAxisX / kAxisY.
inline constexpr int kAxisX = 0;
inline constexpr int kAxisY = 1;

struct AxisTotals {
  uint64_t positivePulses = 0;  // steps with the direction output on
  uint64_t negativePulses = 0;  // steps with the direction output off
  uint64_t directionWrites = 0;  // every set or clear of the axis's direction output
  int64_t min = 0;               // extent of the position, in steps
  int64_t max = 0;
};

class MotionModel {
 public:
  // Counts one open call; the outputs keep their state.
  void open(int32_t cardAddress);
  // Switches output 1..8 on; an off->on switch of a step output is one step.
  void set(int32_t output);
  // Switches output 1..8 off.
  void clear(int32_t output);
  // Adds a wait of ms milliseconds to the total (negative counts as 0).
  void wait(int32_t ms);

  // Whether output 1..8 is on; false for any other number.
  bool isOn(int32_t output) const;

  StepPoint position() const { return position_; }
  const AxisTotals& axis(int which) const { return axes_[which]; }
  // open, set and clear calls, whatever their argument.
  uint64_t boardCalls() const { return boardCalls_; }
  // Sum of all waits in milliseconds: the least time the run takes.
  uint64_t waitMilliseconds() const { return waitMs_; }

  // The path as corner points: the start, one point per change of direction,
  // and the current position; a run of same-direction steps on one axis is one
  // segment. Just the start point when nothing has moved.
  std::vector<StepPoint> path() const;
  // Number of straight segments of the path.
  std::size_t segmentCount() const { return corners_.size(); }

 private:
  void step(int axis, bool positive);

  uint32_t outputs_ = 0;  // bit n-1 holds output n
  StepPoint position_;
  AxisTotals axes_[2];
  uint64_t boardCalls_ = 0;
  uint64_t waitMs_ = 0;
  // Start of every straight segment; heading_ is the direction of the last one
  // (axis * 2 + positive), -1 before the first step.
  std::vector<StepPoint> corners_;
  int heading_ = -1;
};

// The per-call work is inline: a preview of millions of pulses makes four calls
// per pulse, so each must stay a few instructions.

inline void MotionModel::open(int32_t) { ++boardCalls_; }

inline void MotionModel::wait(int32_t ms) {
  if (ms > 0) waitMs_ += static_cast<uint64_t>(ms);
}

inline bool MotionModel::isOn(int32_t output) const {
  if (output < 1 || output > OUTPUT_COUNT) return false;
  return (outputs_ >> (output - 1)) & 1u;
}

inline void MotionModel::set(int32_t output) {
  ++boardCalls_;
  // A real board ignores numbers it has no output for; so does this one.
  if (output < 1 || output > OUTPUT_COUNT) return;
  const uint32_t bit = 1u << (output - 1);
  const bool wasOn = (outputs_ & bit) != 0;
  outputs_ |= bit;
  switch (output) {
    case OUT_X_STEP:
      if (!wasOn) step(kAxisX, isOn(OUT_X_DIR));
      break;
    case OUT_Y_STEP:
      if (!wasOn) step(kAxisY, isOn(OUT_Y_DIR));
      break;
    case OUT_X_DIR:
      ++axes_[kAxisX].directionWrites;
      break;
    case OUT_Y_DIR:
      ++axes_[kAxisY].directionWrites;
      break;
    default:
      break;
  }
}

inline void MotionModel::clear(int32_t output) {
  ++boardCalls_;
  if (output < 1 || output > OUTPUT_COUNT) return;
  outputs_ &= ~(1u << (output - 1));
  if (output == OUT_X_DIR) ++axes_[kAxisX].directionWrites;
  if (output == OUT_Y_DIR) ++axes_[kAxisY].directionWrites;
}

inline void MotionModel::step(int axis, bool positive) {
  const int heading = axis * 2 + (positive ? 1 : 0);
  // A new corner only when the direction changes: memory grows with turns.
  if (heading != heading_) {
    corners_.push_back(position_);
    heading_ = heading;
  }
  AxisTotals& totals = axes_[axis];
  int64_t& coordinate = axis == kAxisX ? position_.x : position_.y;
  if (positive) {
    ++totals.positivePulses;
    ++coordinate;
    if (coordinate > totals.max) totals.max = coordinate;
  } else {
    ++totals.negativePulses;
    --coordinate;
    if (coordinate < totals.min) totals.min = coordinate;
  }
}

}  // namespace board::sim
