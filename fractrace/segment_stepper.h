// The segment stepper: turns each target point (millimetres) into direction
// settings and step pulses along the straight line to it, and keeps the pen
// position it has bookkept, in steps, between calls.
#pragma once

#include <cstdint>

#include "calibration.h"

namespace fractrace {

// The bookkept pen position in steps.
struct StepPosition {
  double xs;
  double ys;
};

struct SegmentStepper {
  double kx, ky;  // steps per millimetre
  double x0, y0;  // the origin in steps
  StepPosition position;
  int32_t dirx, diry;  // direction polarities, 0 or 1
  int32_t delay;       // pulse wait in milliseconds, >= 0
};

// A stepper at the origin for this calibration and pulse wait (milliseconds).
SegmentStepper setUp(const AxisCalibration& x, const AxisCalibration& y, int32_t delay);

// One segment towards the target (X, Y) in millimetres: writes both direction
// outputs, emits the step pulses and advances the bookkept position.
void moveTo(SegmentStepper& stepper, double X, double Y);

}  // namespace fractrace
