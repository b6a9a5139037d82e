// Reading and checking the calibration file.
#include "calibration.h"

#include <cmath>

#include "fields.h"
#include "refusal.h"

namespace fractrace {
namespace {

// Windows editors may start a text file with a UTF-8 byte-order mark. Returns
// false when the file starts with the mark's first byte but no whole mark: its
// first word then cannot be a number, whatever follows.
bool skipByteOrderMark(std::FILE* file) {
  const int first = std::getc(file);
  if (first != 0xEF) {
    if (first != EOF) std::ungetc(first, file);
    return true;
  }
  return std::getc(file) == 0xBB && std::getc(file) == 0xBF;
}

constexpr const char* kMissing = "missing in stepcfg2.txt";

bool readInteger(std::FILE* file, std::FILE* out, const char* field, int32_t& value) {
  const auto read = readIntegerField(file, out, field, kMissing);
  if (read) value = *read;
  return read.has_value();
}

bool readReal(std::FILE* file, std::FILE* out, const char* field, double& value) {
  const auto read = readRealField(file, out, field, kMissing);
  if (read) value = *read;
  return read.has_value();
}

struct AxisNames {
  const char* steps;
  const char* mm;
  const char* dir;
  const char* perMm;
};

constexpr AxisNames kX{"stepsx", "mmx", "dirx", "stepsx/mmx"};
constexpr AxisNames kY{"stepsy", "mmy", "diry", "stepsy/mmy"};

bool readAxis(std::FILE* file, std::FILE* out, const AxisNames& names, AxisCalibration& axis) {
  return readInteger(file, out, names.steps, axis.steps) &&
         readReal(file, out, names.mm, axis.mm) && readInteger(file, out, names.dir, axis.dir);
}

bool checkPolarity(std::FILE* out, const AxisNames& names, const AxisCalibration& axis) {
  if (axis.dir == 0 || axis.dir == 1) return true;
  refuse(out, names.dir, "not 0 or 1");
  return false;
}

// The plot run divides by mm and multiplies every target by steps/mm.
bool checkScale(std::FILE* out, const AxisNames& names, const AxisCalibration& axis) {
  if (!std::isfinite(axis.mm)) {
    refuse(out, names.mm, "not a finite number");
  } else if (axis.mm == 0.0) {
    refuse(out, names.mm, "is 0");
  } else if (!std::isfinite(stepsPerMm(axis))) {
    refuse(out, names.perMm, "not a finite number of steps per mm");
  } else {
    return true;
  }
  return false;
}

}  // namespace

double stepsPerMm(const AxisCalibration& axis) {
  return static_cast<double>(axis.steps) / axis.mm;
}

std::optional<Calibration> readCalibration(std::FILE* file, std::FILE* out) {
  if (!skipByteOrderMark(file)) {
    refuse(out, kX.steps, "not a whole number");
    return std::nullopt;
  }
  Calibration calibration{};
  if (!readAxis(file, out, kX, calibration.x) || !readAxis(file, out, kY, calibration.y)) {
    return std::nullopt;
  }
  if (!checkPolarity(out, kX, calibration.x) || !checkPolarity(out, kY, calibration.y) ||
      !checkScale(out, kX, calibration.x) || !checkScale(out, kY, calibration.y)) {
    return std::nullopt;
  }
  return calibration;
}

}  // namespace fractrace
