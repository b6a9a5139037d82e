// Writers of the simulated board's preview: the run report as JSON and the
// pen's path as an SVG picture, both from a motion model.
#pragma once

#include <cstdio>

#include "motion.h"

namespace board::sim {

// Writes the report as one JSON object; false when the file reports a write error.
bool writeReport(std::FILE* file, const MotionModel& motion);

// Writes an SVG of the path (y upwards, scaled to the extent, start marked,
// the report as caption); false when the file reports a write error.
bool writePlot(std::FILE* file, const MotionModel& motion);

}  // namespace board::sim
