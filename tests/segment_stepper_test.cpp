// Facts about the segment stepper: the calls one move makes and where it leaves the pen.
#include <gtest/gtest.h>

#include "recording_board.h"
#include "segment_stepper.h"

namespace {

using Calls = std::vector<std::string>;
using fractrace::AxisCalibration;
using recording_board::pulses;
using recording_board::operator+;

// 200 steps per millimetre on both axes.
AxisCalibration axis(int32_t dir) { return {200, 1.0, dir}; }

class SegmentStepper : public ::testing::Test {
 protected:
  void SetUp() override { recording_board::reset(); }
};

TEST_F(SegmentStepper, AnAxisMoveOfNStepsEmitsNMinusTwoPulsesAndAdvancesByN) {
  struct Case {
    int32_t dirx;
    double x;  // target, millimetres
    Calls calls;
    double xs;  // bookkept position afterwards, steps
  };
  const Case cases[] = {
      {1, 1.5, Calls{"set 2", "set 5"} + pulses(1, 298), 300},
      // The polarity inverts only the direction output; the pulses stay.
      {0, 1.5, Calls{"clear 2", "set 5"} + pulses(1, 298), 300},
      {1, -1.5, Calls{"clear 2", "set 5"} + pulses(1, 298), -300},
      {0, -1.5, Calls{"set 2", "set 5"} + pulses(1, 298), -300},
      // Two steps away: one pass, and an accumulator of exactly 1 does not step.
      {1, 0.01, Calls{"set 2", "set 5"}, 2},
      {1, 0.005, Calls{"set 2", "set 5"}, 1},
  };
  for (const Case& c : cases) {
    recording_board::reset();
    fractrace::SegmentStepper stepper = fractrace::setUp(axis(c.dirx), axis(1), 0);
    fractrace::moveTo(stepper, c.x, 0.0);
    EXPECT_EQ(recording_board::calls(), c.calls) << "dirx " << c.dirx << ", x " << c.x;
    EXPECT_EQ(stepper.position.xs, c.xs) << "dirx " << c.dirx << ", x " << c.x;
    EXPECT_EQ(stepper.position.ys, 0.0);
  }
}

TEST_F(SegmentStepper, AStandingTargetWritesBothDirectionsAndNothingElse) {
  struct Case {
    int32_t dirx, diry;
    Calls calls;
  };
  const Case cases[] = {
      {1, 1, {"set 2", "set 5"}},
      {0, 1, {"clear 2", "set 5"}},
      {1, 0, {"set 2", "clear 5"}},
      {0, 0, {"clear 2", "clear 5"}},
  };
  for (const Case& c : cases) {
    recording_board::reset();
    fractrace::SegmentStepper stepper = fractrace::setUp(axis(c.dirx), axis(c.diry), 0);
    fractrace::moveTo(stepper, 0.0, 0.0);
    EXPECT_EQ(recording_board::calls(), c.calls) << c.dirx << " " << c.diry;
  }
}

TEST_F(SegmentStepper, PulsesCarryTheOperatorsDelayOnBothEdges) {
  fractrace::SegmentStepper stepper = fractrace::setUp(axis(1), axis(1), 7);
  fractrace::moveTo(stepper, 0.0, 0.02);  // 4 steps along Y
  EXPECT_EQ(recording_board::calls(), (Calls{"set 2", "set 5"} + pulses(4, 2, 7)));
}

TEST_F(SegmentStepper, ADiagonalInterleavesTheAxesXFirstWithinAPass) {
  fractrace::SegmentStepper stepper = fractrace::setUp(axis(1), axis(1), 0);
  // 30 by 40 steps: L = 50, so 49 passes adding 0.6 to X and 0.8 to Y.
  fractrace::moveTo(stepper, 0.15, 0.2);
  const Calls& calls = recording_board::calls();
  int x = 0, y = 0;
  for (const std::string& call : calls) {
    if (call == "set 1") ++x;
    if (call == "set 4") ++y;
  }
  EXPECT_EQ(x, 29);
  EXPECT_EQ(y, 39);
  // Pass 2 is the first with anything due, on both axes: X before Y. Pass 3 steps Y only.
  const Calls firstPulses = pulses(1, 1) + pulses(4, 1) + pulses(4, 1);
  ASSERT_GE(calls.size(), 14u);
  EXPECT_EQ(Calls(calls.begin() + 2, calls.begin() + 14), firstPulses);
  EXPECT_DOUBLE_EQ(stepper.position.xs, 30.0);
  EXPECT_DOUBLE_EQ(stepper.position.ys, 40.0);
}

}  // namespace
