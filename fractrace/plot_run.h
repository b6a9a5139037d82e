// The plot run: the dragon path for order n driven through the segment stepper,
// with its progress lines and the closing iteration count.
#pragma once

#include <cstdint>
#include <cstdio>

#include "calibration.h"
#include "segment_stepper.h"

namespace fractrace {

// Draws the curve of order n with moves of 2·c millimetres and a pulse wait of
// delay milliseconds (>= 0), printing its lines to out. Returns where the pen
// was bookkept at the end, in steps.
StepPosition runPlot(int32_t n, double c, const AxisCalibration& x, const AxisCalibration& y,
             int32_t delay, std::FILE* out);

}  // namespace fractrace
