// The operator dialogue of the plotter: the three plot parameters, the summary
// and the confirmation, with every typed value checked before anything moves.
#pragma once

#include <cstdint>
#include <cstdio>

#include "calibration.h"

namespace fractrace {

struct PlotParameters {
  int32_t n;      // dragon curve order
  double c;       // half the move length, millimetres
  int32_t delay;  // pulse wait, milliseconds, >= 0
};

enum class Answer {
  accepted,  // confirmed with a word starting with "Y"
  declined,  // any other answer, or none
  refused,   // a typed value was unusable; its message has been printed
};

struct DialogueResult {
  Answer answer;
  PlotParameters parameters;
};

// A single move must fit a 32-bit step count with room for the sub-step leftover.
inline constexpr double MAX_MOVE_STEPS = 2147483645.0;

// Prompts on out and reads from in; stops at the first unusable answer.
DialogueResult holdDialogue(std::FILE* in, std::FILE* out, const Calibration& calibration);

}  // namespace fractrace
