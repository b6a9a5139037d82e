// Facts about the dragon path: turn bits, targets and states, iteration counts.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>

#include "dragon_path.h"

namespace {

using fractrace::DragonPath;

// The turn bit by the search over b = 1, 2, 4, ..., in 64-bit arithmetic.
int32_t turnBitBySearch(int64_t i) {
  for (int64_t b = 1;; b *= 2) {
    if ((i - b) % (4 * b) == 0) return 0;
    if ((i + b) % (4 * b) == 0) return 1;
  }
}

TEST(TurnBit, FirstSixteen) {
  const int32_t expected[16] = {0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 1, 1, 0, 1, 1, 0};
  for (int32_t i = 1; i <= 16; ++i) EXPECT_EQ(fractrace::turnBit(i), expected[i - 1]) << i;
}

TEST(TurnBit, MatchesTheSearchFormUpToTheLargestIteration) {
  for (int32_t i = 1; i <= 100000; ++i) ASSERT_EQ(fractrace::turnBit(i), turnBitBySearch(i)) << i;
  const int32_t last = (1 << 30) - 1;
  for (int32_t i = last - 100000; i <= last; ++i) {
    ASSERT_EQ(fractrace::turnBit(i), turnBitBySearch(i)) << i;
  }
  for (int32_t i = 1 << 29; i > 0; i >>= 1) ASSERT_EQ(fractrace::turnBit(i), 0) << i;
}

TEST(DragonPath, TargetsAndStatesOfTheFirstSixteenIterationsWithUnitMoves) {
  struct Fact {
    double x, y;
    int32_t h, m;
  };
  const Fact facts[16] = {
      {0, 0, 0, 3},  {0, 0, 3, 2}, {0, 1, 0, 1}, {1, 1, 3, 2},  {1, 1, 2, 1},  {2, 1, 3, 0},
      {2, 1, 0, 1},  {3, 1, 3, 2}, {3, 1, 2, 1}, {3, 1, 1, 0},  {3, 0, 2, 3},  {3, 0, 3, 0},
      {3, -1, 2, 1}, {4, -1, 3, 0}, {4, -1, 0, 1}, {5, -1, 3, 2},
  };
  DragonPath path = fractrace::startPath(0.5);
  EXPECT_EQ(path.d, 1.0);
  EXPECT_EQ(path.state.h, 1);
  EXPECT_EQ(path.state.m, 0);
  for (int32_t i = 1; i <= 16; ++i) {
    fractrace::advance(path, fractrace::turnBit(i));
    const Fact& f = facts[i - 1];
    EXPECT_EQ(path.target.x, f.x) << "iteration " << i;
    EXPECT_EQ(path.target.y, f.y) << "iteration " << i;
    EXPECT_EQ(path.state.h, f.h) << "iteration " << i;
    EXPECT_EQ(path.state.m, f.m) << "iteration " << i;
  }
}

TEST(DragonPath, HalfOfTheIterationsMoveByExactlyOneMoveLength) {
  for (int32_t m : {2, 16, 1024, 1 << 16}) {
    DragonPath path = fractrace::startPath(0.375);
    int32_t moves = 0;
    for (int32_t i = 1; i < m; ++i) {
      const fractrace::Target before = path.target;
      fractrace::advance(path, fractrace::turnBit(i));
      const double travelled =
          std::abs(path.target.x - before.x) + std::abs(path.target.y - before.y);
      if (travelled != 0.0) {
        ++moves;
        ASSERT_EQ(travelled, 0.75) << "iteration " << i;
        ASSERT_TRUE(path.target.x == before.x || path.target.y == before.y) << "iteration " << i;
      }
    }
    EXPECT_EQ(moves, m / 2 - 1) << "M = " << m;
  }
}

TEST(IterationCount, LowThirtyTwoBitsOfTwoToTheNPlusFive) {
  struct Case {
    int32_t n;
    std::optional<int32_t> m;
  };
  const Case cases[] = {
      {INT32_MIN, std::nullopt},
      {-6, std::nullopt},
      {-5, std::nullopt},
      {-4, 2},
      {-1, 16},
      {5, 1024},
      {25, 1 << 30},
      {26, INT32_MIN},
      {27, 0},
      {1000, 0},
      {INT32_MAX - 5, 0},
      // n + 5 wraps to a negative 32-bit sum: no iteration at all.
      {INT32_MAX - 4, std::nullopt},
      {INT32_MAX, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(fractrace::iterationCount(c.n), c.m) << "n = " << c.n;
}

}  // namespace
