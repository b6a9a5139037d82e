// The fractional-accumulator line drawer behind every move of the plotter.
#include "segment_stepper.h"

#include <cmath>

#include "board_outputs.h"

namespace fractrace {
namespace {

// dir 1: the output is on for travel in the positive direction; 0: for negative.
void writeDirection(int32_t output, double distance, int32_t polarity) {
  const bool positive = distance >= 0.0;
  if (positive == (polarity == 1)) {
    board::setOutput(output);
  } else {
    board::clearOutput(output);
  }
}

// Whole steps of a length in steps, truncated toward zero. The plotter refuses
// calibrations whose move would not fit 32 bits, so the clamp never acts; it
// only keeps the conversion defined.
int32_t wholeSteps(double length) {
  if (!(length < 2147483647.0)) return 2147483647;
  return static_cast<int32_t>(length);
}

}  // namespace

SegmentStepper setUp(const AxisCalibration& x, const AxisCalibration& y, int32_t delay) {
  SegmentStepper stepper{};
  stepper.kx = stepsPerMm(x);
  stepper.ky = stepsPerMm(y);
  stepper.x0 = stepper.kx * 0.0;
  stepper.y0 = stepper.ky * 0.0;
  stepper.position = {stepper.x0, stepper.y0};
  stepper.dirx = x.dir;
  stepper.diry = y.dir;
  stepper.delay = delay;
  return stepper;
}

void moveTo(SegmentStepper& s, double X, double Y) {
  const double dy = s.ky * Y + s.y0 - s.position.ys;
  const double dx = s.kx * X + s.x0 - s.position.xs;
  const double length = std::sqrt(dx * dx + dy * dy);
  const double ux = length > 0.0 ? dx / length : 0.0;
  const double uy = length > 0.0 ? dy / length : 0.0;

  // Both directions are written on every call, even when nothing will move:
  // the drivers then always follow the sign of what is left to travel.
  writeDirection(board::OUT_X_DIR, dx, s.dirx);
  writeDirection(board::OUT_Y_DIR, dy, s.diry);

  const int32_t n = wholeSteps(length);
  if (n >= 2) {
    // N - 1 passes with strict "> 1" tests, so an axis move of N steps emits
    // N - 2 pulses. Kept as it is: machines were calibrated against this drawer.
    double ax = 0.0;
    double ay = 0.0;
    for (int32_t pass = 1; pass < n; ++pass) {
      ay += std::fabs(uy);
      ax += std::fabs(ux);
      if (ax > 1.0) {
        board::stepPulse(board::OUT_X_STEP, s.delay);
        ax -= 1.0;
      }
      if (ay > 1.0) {
        board::stepPulse(board::OUT_Y_STEP, s.delay);
        ay -= 1.0;
      }
    }
  }
  // The position advances by the N steps asked for, not by the pulses emitted.
  s.position.ys += n * uy;
  s.position.xs += n * ux;
}

}  // namespace fractrace
