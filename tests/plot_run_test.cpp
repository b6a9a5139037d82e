// Facts about whole plot runs: the lines the operator sees, and per iteration
// the direction writes and the pulses the board sees.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "plot_run.h"
#include "recording_board.h"

namespace {

using Calls = std::vector<std::string>;
using fractrace::AxisCalibration;

// What one iteration did: its two direction writes and its pulses per step output.
struct Iteration {
  std::string xDir, yDir;
  int xPulses = 0, yPulses = 0;
};

// Splits a run's calls at the X direction write that begins every iteration.
std::vector<Iteration> iterations(const Calls& calls) {
  std::vector<Iteration> out;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const std::string& call = calls[i];
    if (call == "set 2" || call == "clear 2") {
      out.push_back({call, calls.at(i + 1)});
      ++i;
    } else if (call == "set 1") {
      ++out.back().xPulses;
    } else if (call == "set 4") {
      ++out.back().yPulses;
    }
  }
  return out;
}

std::string consoleText(const Calls& calls) {
  std::string text;
  for (const std::string& call : calls) {
    if (call.rfind("out ", 0) == 0) text += call.substr(4);
  }
  return text;
}

class PlotRun : public ::testing::Test {
 protected:
  void SetUp() override { recording_board::reset(); }

  fractrace::StepPosition run(int32_t n, double c, AxisCalibration x, AxisCalibration y,
                              int32_t delay = 0) {
    const auto end = fractrace::runPlot(n, c, x, y, delay, recording_board::console());
    std::fflush(recording_board::console());
    return end;
  }
};

TEST_F(PlotRun, OrdersWithoutIterationsPrintOneAndMoveNothing) {
  for (int32_t n : {-5, -6, INT32_MIN, 26, 27, INT32_MAX}) {
    recording_board::reset();
    run(n, 0.75, {200, 1.0, 1}, {200, 1.0, 1});
    EXPECT_EQ(recording_board::calls(), Calls{"out \n\n       1\n"}) << "n = " << n;
  }
}

TEST_F(PlotRun, OrderMinusFourMakesOneStandingIteration) {
  run(-4, 0.75, {200, 1.0, 1}, {200, 1.0, 1});
  EXPECT_EQ(recording_board::calls(), (Calls{"out \n\n", "set 2", "set 5", "out        2\n"}));
}

TEST_F(PlotRun, OrderMinusThreeDrawsOneYMove) {
  run(-3, 0.75, {200, 1.0, 1}, {200, 1.0, 0});
  const auto its = iterations(recording_board::calls());
  ASSERT_EQ(its.size(), 3u);
  for (const Iteration& it : its) {
    EXPECT_EQ(it.xDir, "set 2");
    EXPECT_EQ(it.yDir, "clear 5");
    EXPECT_EQ(it.xPulses, 0);
  }
  EXPECT_EQ(its[0].yPulses, 0);
  EXPECT_EQ(its[1].yPulses, 0);
  EXPECT_EQ(its[2].yPulses, 298);
  EXPECT_EQ(consoleText(recording_board::calls()), "\n\n       4\n");
}

TEST_F(PlotRun, OrderFivePrintsProgressEvery128AndMoves511Times) {
  run(5, 0.75, {200, 1.0, 1}, {200, 1.0, 1});
  EXPECT_EQ(consoleText(recording_board::calls()),
            "\n\n     128\n     256\n     384\n     512\n     640\n     768\n     896\n    1024\n");
  const auto its = iterations(recording_board::calls());
  ASSERT_EQ(its.size(), 1023u);
  int moves = 0;
  for (const Iteration& it : its) {
    if (it.xPulses + it.yPulses > 0) {
      ++moves;
      EXPECT_EQ(it.xPulses + it.yPulses, 298);
    }
  }
  EXPECT_EQ(moves, 511);
}

TEST_F(PlotRun, ProgressLineComesAfterTheCallsOfTheIterationsBeforeIt) {
  // Two steps per millimetre and c = 0.25: every move is one step, so no pulse.
  run(3, 0.25, {2, 1.0, 1}, {2, 1.0, 1});
  const Calls& calls = recording_board::calls();
  ASSERT_GE(calls.size(), 256u);
  EXPECT_EQ(calls[0], "out \n\n");
  EXPECT_EQ(calls[255], "out      128\n");  // after 127 iterations of two writes each
  EXPECT_EQ(calls.back(), "out      256\n");
  for (const std::string& call : calls) {
    EXPECT_TRUE(call.rfind("out ", 0) == 0 || call.back() == '2' || call.back() == '5') << call;
  }
}

TEST_F(PlotRun, StepsPerMillimetreThatAreNoBinaryFractionAbsorbTheLeftovers) {
  // 333 steps per 2 mm: X moves measure 249.75 steps.
  run(-1, 0.75, {333, 2.0, 1}, {200, 1.0, 1});
  const auto its = iterations(recording_board::calls());
  ASSERT_EQ(its.size(), 15u);
  const std::map<int, int> xPulses{{4, 247}, {6, 248}, {8, 248}, {14, 247}};
  const std::map<int, int> yPulses{{3, 298}, {11, 298}, {13, 298}};
  for (int i = 1; i <= 15; ++i) {
    const Iteration& it = its[i - 1];
    EXPECT_EQ(it.xPulses, xPulses.count(i) ? xPulses.at(i) : 0) << "iteration " << i;
    EXPECT_EQ(it.yPulses, yPulses.count(i) ? yPulses.at(i) : 0) << "iteration " << i;
    EXPECT_EQ(it.xDir, "set 2") << "iteration " << i;
    EXPECT_EQ(it.yDir, i <= 10 ? "set 5" : "clear 5") << "iteration " << i;
  }
  EXPECT_EQ(consoleText(recording_board::calls()), "\n\n      16\n");
}

TEST_F(PlotRun, OneStepMovesEmitNothingWhileThePositionAdvances) {
  const auto end = run(-1, 0.25, {2, 1.0, 1}, {2, 1.0, 1});
  for (const std::string& call : recording_board::calls()) {
    EXPECT_NE(call, "set 1");
    EXPECT_NE(call, "set 4");
  }
  EXPECT_EQ(end.xs, 4.0);
  EXPECT_EQ(end.ys, -1.0);
}

TEST_F(PlotRun, TheDelayPacesEveryPulseAndThePositionFollowsTheTargets) {
  const auto end = run(-2, 0.75, {200, 1.0, 0}, {200, 1.0, 1}, 5);
  const Calls& calls = recording_board::calls();
  const auto its = iterations(calls);
  ASSERT_EQ(its.size(), 7u);
  for (int i = 1; i <= 7; ++i) {
    const Iteration& it = its[i - 1];
    EXPECT_EQ(it.xDir, "clear 2") << "iteration " << i;
    EXPECT_EQ(it.yDir, "set 5") << "iteration " << i;
    EXPECT_EQ(it.xPulses, (i == 4 || i == 6) ? 298 : 0) << "iteration " << i;
    EXPECT_EQ(it.yPulses, i == 3 ? 298 : 0) << "iteration " << i;
  }
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i] == "set 1" || calls[i] == "set 4") {
      EXPECT_EQ(calls[i + 1], "wait 5");
      EXPECT_EQ(calls[i + 3], "wait 5");
    }
  }
  EXPECT_EQ(end.xs, 600.0);
  EXPECT_EQ(end.ys, 300.0);
  EXPECT_EQ(consoleText(calls), "\n\n       8\n");
}

}  // namespace
