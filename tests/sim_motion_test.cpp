// Facts about the simulated board's motion model: the calls the board sees in,
// the position, pulse counts, extent and path the drivers would give out.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/motion.h"
#include "sim/preview_writer.h"

namespace board::sim {
// Failures show points as (x, y) rather than as bytes.
void PrintTo(const StepPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace board::sim

namespace {

using board::sim::kAxisX;
using board::sim::kAxisY;
using board::sim::MotionModel;
using board::sim::StepPoint;

// Plays calls written as "set 2; pulse 1; clear 5; wait 3"; "pulse N" is set N, clear N.
void play(MotionModel& m, const std::string& calls) {
  std::istringstream in(calls);
  std::string verb;
  int32_t value = 0;
  while (in >> verb >> value) {
    if (verb == "open") m.open(value);
    if (verb == "set" || verb == "pulse") m.set(value);
    if (verb == "clear" || verb == "pulse") m.clear(value);
    if (verb == "wait") m.wait(value);
    in >> std::ws;
    if (in.peek() == ';') in.get();
  }
}

struct Totals {
  int64_t x, y;                   // final position, steps
  uint64_t xPos, xNeg, yPos, yNeg;  // pulses
  int64_t xMin, xMax, yMin, yMax;   // extent, steps
};

struct Case {
  const char* name;
  const char* calls;
  Totals expected;
};

const Case kCases[] = {
    {"x_pulse_with_direction_on_is_positive", "set 2; pulse 1", {1, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
    {"x_pulse_with_direction_off_is_negative", "clear 2; pulse 1", {-1, 0, 0, 1, 0, 0, -1, 0, 0, 0}},
    {"direction_never_written_counts_as_off", "pulse 1; pulse 4", {-1, -1, 0, 1, 0, 1, -1, 0, -1, 0}},
    {"y_pulses_either_way", "set 5; pulse 4; pulse 4; clear 5; pulse 4",
     {0, 1, 0, 0, 2, 1, 0, 0, 0, 2}},
    {"direction_flip_between_pulses", "set 2; pulse 1; clear 2; pulse 1; pulse 1",
     {-1, 0, 1, 2, 0, 0, -1, 1, 0, 0}},
    {"step_output_set_twice_is_one_step", "set 2; set 1; set 1; clear 1",
     {1, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
    {"direction_read_at_the_on_switch_only", "clear 2; set 1; set 2; clear 1",
     {-1, 0, 0, 1, 0, 0, -1, 0, 0, 0}},
    {"clearing_an_off_step_output_is_no_step", "set 2; clear 1; clear 1", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"pulses_on_non_step_outputs_move_nothing", "set 2; set 5; pulse 2; pulse 3; pulse 5; pulse 6; pulse 7; pulse 8",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"numbers_without_an_output_are_ignored", "set 2; pulse 0; pulse 9; pulse -1; pulse 1",
     {1, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
    {"extent_keeps_the_far_points_after_return",
     "set 2; pulse 1; pulse 1; clear 2; pulse 1; pulse 1; pulse 1; clear 5; pulse 4; set 5; pulse 4",
     {-1, 0, 2, 3, 1, 1, -1, 2, -1, 0}},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class MotionTable : public ::testing::TestWithParam<Case> {};

TEST_P(MotionTable, PositionCountsAndExtent) {
  MotionModel m;
  play(m, GetParam().calls);
  const Totals& e = GetParam().expected;
  EXPECT_EQ(m.position(), (StepPoint{e.x, e.y}));
  EXPECT_EQ(m.axis(kAxisX).positivePulses, e.xPos);
  EXPECT_EQ(m.axis(kAxisX).negativePulses, e.xNeg);
  EXPECT_EQ(m.axis(kAxisY).positivePulses, e.yPos);
  EXPECT_EQ(m.axis(kAxisY).negativePulses, e.yNeg);
  EXPECT_EQ(m.axis(kAxisX).min, e.xMin);
  EXPECT_EQ(m.axis(kAxisX).max, e.xMax);
  EXPECT_EQ(m.axis(kAxisY).min, e.yMin);
  EXPECT_EQ(m.axis(kAxisY).max, e.yMax);
}

INSTANTIATE_TEST_SUITE_P(Calls, MotionTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MotionModel, PowerUpAndPowerDownAsTheBoardSeesThem) {
  MotionModel m;
  play(m, "open 0; clear 1; clear 2; clear 3; clear 4; clear 5; clear 6; clear 7; clear 8; set 3; set 6");
  EXPECT_EQ(m.boardCalls(), 11u);
  EXPECT_TRUE(m.isOn(3));
  EXPECT_TRUE(m.isOn(6));
  EXPECT_EQ(m.axis(kAxisX).directionWrites, 1u);
  EXPECT_EQ(m.axis(kAxisY).directionWrites, 1u);
  play(m, "clear 3; clear 6; clear 1; clear 2; clear 3; clear 4; clear 5; clear 6; clear 7; clear 8");
  EXPECT_EQ(m.boardCalls(), 21u);
  EXPECT_FALSE(m.isOn(3));
  EXPECT_FALSE(m.isOn(6));
  EXPECT_EQ(m.axis(kAxisX).directionWrites, 2u);
  EXPECT_EQ(m.position(), (StepPoint{0, 0}));
}

TEST(MotionModel, EveryDirectionWriteCountsEvenWhenNothingChanges) {
  MotionModel m;
  play(m, "set 2; set 2; clear 2; set 5; clear 5; clear 5; clear 5; pulse 1");
  EXPECT_EQ(m.axis(kAxisX).directionWrites, 3u);
  EXPECT_EQ(m.axis(kAxisY).directionWrites, 4u);
  EXPECT_EQ(m.boardCalls(), 9u);
}

TEST(MotionModel, WaitsAddUpPastThirtyTwoBitsAndNegativeCountsAsZero) {
  MotionModel m;
  play(m, "wait 5; wait 0; wait -3; wait 2147483647; wait 2147483647");
  EXPECT_EQ(m.waitMilliseconds(), 4294967299u);
  EXPECT_EQ(m.boardCalls(), 0u);  // waits are not board calls
}

struct PathCase {
  const char* name;
  const char* calls;
  std::vector<StepPoint> corners;
};

const PathCase kPaths[] = {
    {"no_motion_is_the_start_point", "set 3; set 6; set 2", {{0, 0}}},
    {"one_run_is_one_segment", "set 2; pulse 1; pulse 1; pulse 1", {{0, 0}, {3, 0}}},
    {"a_turn_is_a_corner", "set 2; pulse 1; pulse 1; pulse 1; set 5; pulse 4; pulse 4; clear 2; pulse 1",
     {{0, 0}, {3, 0}, {3, 2}, {2, 2}}},
    {"a_reversal_is_a_corner", "set 2; pulse 1; pulse 1; clear 2; pulse 1", {{0, 0}, {2, 0}, {1, 0}}},
    {"direction_writes_alone_do_not_break_a_run", "set 2; pulse 1; set 2; set 5; clear 5; pulse 1",
     {{0, 0}, {2, 0}}},
    {"alternating_axes_give_a_staircase", "set 2; set 5; pulse 1; pulse 4; pulse 1",
     {{0, 0}, {1, 0}, {1, 1}, {2, 1}}},
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class PathTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathTable, CornersOfTheStraightSegments) {
  MotionModel m;
  play(m, GetParam().calls);
  EXPECT_EQ(m.path(), GetParam().corners);
  EXPECT_EQ(m.segmentCount(), GetParam().corners.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(Calls, PathTable, ::testing::ValuesIn(kPaths),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MotionModel, PathGrowsWithTurnsNotSteps) {
  MotionModel m;
  m.set(2);
  for (int i = 0; i < 1000000; ++i) {
    m.set(1);
    m.clear(1);
  }
  m.set(5);
  for (int i = 0; i < 1000000; ++i) {
    m.set(4);
    m.clear(4);
  }
  EXPECT_EQ(m.path(), (std::vector<StepPoint>{{0, 0}, {1000000, 0}, {1000000, 1000000}}));
}

// The writers must tell the board when the file did not take the preview.
TEST(PreviewWriters, ReportAWriteFailure) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full on this system";
  MotionModel m;
  play(m, "set 2; pulse 1");
  EXPECT_FALSE(board::sim::writeReport(full, m));
  std::clearerr(full);
  EXPECT_FALSE(board::sim::writePlot(full, m));
  std::fclose(full);
}

}  // namespace
