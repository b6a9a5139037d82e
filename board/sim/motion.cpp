// The motion model's path: corner points of the straight segments.
#include "motion.h"

namespace board::sim {

std::vector<StepPoint> MotionModel::path() const {
  std::vector<StepPoint> points = corners_;
  if (points.empty() || !(points.back() == position_)) points.push_back(position_);
  return points;
}

}  // namespace board::sim
