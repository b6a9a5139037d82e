// Framing of the plot run: iteration count, progress lines, one move per iteration.
#include "plot_run.h"

#include "dragon_path.h"
#include "segment_stepper.h"

namespace fractrace {
namespace {

void printCount(std::FILE* out, int32_t count) {
  std::fprintf(out, "%8ld\n", static_cast<long>(count));
}

}  // namespace

StepPosition runPlot(int32_t n, double c, const AxisCalibration& x, const AxisCalibration& y,
             int32_t delay, std::FILE* out) {
  SegmentStepper stepper = setUp(x, y, delay);
  DragonPath path = startPath(c);
  const auto iterations = iterationCount(n);
  std::fputs("\n\n", out);
  if (!iterations || *iterations < 2) {
    printCount(out, 1);
    return stepper.position;
  }
  const int32_t m = *iterations;
  for (int32_t i = 1; i < m; ++i) {
    if ((i & 127) == 0) printCount(out, i);
    advance(path, turnBit(i));
    // Also when the target stayed: the call still writes both directions.
    moveTo(stepper, path.target.x, path.target.y);
  }
  printCount(out, m);
  return stepper.position;
}

}  // namespace fractrace
