// The fixed call sequences of the board output layer, as the board sees them.
#include <gtest/gtest.h>

#include "board_outputs.h"
#include "recording_board.h"

namespace {

using Calls = std::vector<std::string>;

class BoardSequences : public ::testing::Test {
 protected:
  void SetUp() override { recording_board::reset(); }
};

TEST_F(BoardSequences, PowerUpOpensCardZeroClearsAllThenRaisesTheRunLines) {
  board::powerUp();
  EXPECT_EQ(recording_board::calls(),
            (Calls{"open 0", "clear 1", "clear 2", "clear 3", "clear 4", "clear 5", "clear 6",
                   "clear 7", "clear 8", "set 3", "set 6"}));
}

TEST_F(BoardSequences, PowerDownDropsTheRunLinesBeforeClearingAllEight) {
  board::powerDown();
  EXPECT_EQ(recording_board::calls(),
            (Calls{"clear 3", "clear 6", "clear 1", "clear 2", "clear 3", "clear 4", "clear 5",
                   "clear 6", "clear 7", "clear 8"}));
}

TEST_F(BoardSequences, StepPulseWaitsAfterEachEdge) {
  struct Case {
    int output;
    int ms;
    Calls calls;
  };
  const Case cases[] = {
      {1, 0, {"set 1", "wait 0", "clear 1", "wait 0"}},
      {4, 5, {"set 4", "wait 5", "clear 4", "wait 5"}},
  };
  for (const Case& c : cases) {
    recording_board::reset();
    board::stepPulse(c.output, c.ms);
    EXPECT_EQ(recording_board::calls(), c.calls) << "output " << c.output << ", " << c.ms << " ms";
  }
}

}  // namespace
