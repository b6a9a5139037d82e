// The dragon path's turn bit, state machine and iteration count.
#include "dragon_path.h"

#include <bit>

namespace fractrace {
namespace {

enum class Move { none, xPlus, xMinus, yPlus, yMinus };

struct Transition {
  Move move;
  int32_t newH;
};

// kTransitions[h][memory test holds][t]. Heading 0 and 2 test m = 1,
// heading 1 and 3 test m = 0.
constexpr Transition kTransitions[4][2][2] = {
    // h = 0
    {{{Move::none, 3}, {Move::xMinus, 1}},   // m != 1
     {{Move::xPlus, 3}, {Move::none, 1}}},   // m == 1
    // h = 1
    {{{Move::yPlus, 0}, {Move::none, 2}},    // m != 0
     {{Move::none, 0}, {Move::yMinus, 2}}},  // m == 0
    // h = 2
    {{{Move::xMinus, 1}, {Move::none, 3}},   // m != 1
     {{Move::none, 1}, {Move::xPlus, 3}}},   // m == 1
    // h = 3
    {{{Move::none, 2}, {Move::yPlus, 0}},    // m != 0
     {{Move::yMinus, 2}, {Move::none, 0}}},  // m == 0
};

// The memory code left behind depends on the heading alone.
constexpr int32_t kNewMemory[4] = {2, 3, 0, 1};

bool memoryTest(const PathState& state) {
  const int32_t tested = (state.h % 2 == 0) ? 1 : 0;
  return state.m == tested;
}

void apply(Move move, double d, Target& target) {
  switch (move) {
    case Move::none: break;
    case Move::xPlus: target.x += d; break;
    case Move::xMinus: target.x -= d; break;
    case Move::yPlus: target.y += d; break;
    case Move::yMinus: target.y -= d; break;
  }
}

}  // namespace

DragonPath startPath(double c) { return DragonPath{c + c}; }

int32_t turnBit(int32_t i) {
  // Constant-time form of the search over b = 1, 2, 4, ...: that search needs
  // 4·b up to 2^31, beyond 32-bit arithmetic, and gives the same bit.
  const uint32_t odd = static_cast<uint32_t>(i) >> std::countr_zero(static_cast<uint32_t>(i));
  return (odd & 3u) == 3u ? 1 : 0;
}

void advance(DragonPath& path, int32_t t) {
  const int32_t h = path.state.h;
  const Transition& next = kTransitions[h][memoryTest(path.state) ? 1 : 0][t];
  apply(next.move, path.d, path.target);
  path.state.m = kNewMemory[h];
  path.state.h = next.newH;
}

std::optional<int32_t> iterationCount(int32_t n) {
  // n + 5 as a two's-complement 32-bit sum, without signed overflow.
  const int32_t doublings = static_cast<int32_t>(static_cast<uint32_t>(n) + 5u);
  if (doublings <= 0) return std::nullopt;
  if (doublings >= 32) return 0;
  return static_cast<int32_t>(uint32_t{1} << doublings);
}

}  // namespace fractrace
