// The axis calibration of the machine, read from the file "stepcfg2.txt".
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace fractrace {

inline constexpr const char* CALIBRATION_FILE = "stepcfg2.txt";

// `steps` motor steps move the axis `mm` millimetres; `dir` 1 means the
// direction output is on for positive travel, 0 that it is on for negative travel.
struct AxisCalibration {
  int32_t steps;
  double mm;
  int32_t dir;
};

struct Calibration {
  AxisCalibration x;  // stepsx mmx dirx
  AxisCalibration y;  // stepsy mmy diry
};

// Steps per millimetre of an axis.
double stepsPerMm(const AxisCalibration& axis);

// Reads the six numbers (stepsx mmx dirx stepsy mmy diry, any whitespace
// between them, anything after the sixth ignored) from an open file and checks
// them. On a problem prints its message to out and returns nothing.
std::optional<Calibration> readCalibration(std::FILE* file, std::FILE* out);

}  // namespace fractrace
