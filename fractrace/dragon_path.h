// The dragon path: from the iteration number alone, a turn bit and a small
// heading/memory state machine that moves the target point along X or Y.
// The curve is produced one iteration at a time and never stored.
#pragma once

#include <cstdint>
#include <optional>

namespace fractrace {

// Heading code h and memory code m, each 0..3.
struct PathState {
  int32_t h = 1;
  int32_t m = 0;
};

// The target point in millimetres.
struct Target {
  double x = 0.0;
  double y = 0.0;
};

struct DragonPath {
  double d;  // move length in millimetres: c + c
  PathState state{};
  Target target{};
};

// A path at the origin with moves of 2·c millimetres.
DragonPath startPath(double c);

// The turn bit of iteration i >= 1: 1 exactly when i without its factors of two
// leaves 3 modulo 4.
int32_t turnBit(int32_t i);

// Advances the state machine by one iteration with turn bit t (0 or 1); may
// move the target by d along X or Y.
void advance(DragonPath& path, int32_t t);

// The number of iterations M for order n: the low 32 bits of 2^(n+5) as a signed
// value; nothing when n + 5 (as a 32-bit sum) is 0 or less.
std::optional<int32_t> iterationCount(int32_t n);

}  // namespace fractrace
