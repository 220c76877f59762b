#include "analysis/whole_circle.h"

#include <algorithm>
#include <cmath>

#include "photometry/real_text.h"

namespace {

struct Plane {
  double angle;
  std::size_t sourceRow;
};

// `angle` brought into [0, 360).
double withinCircle(double angle) {
  double reduced = std::fmod(angle, 360.0);
  if (reduced < 0) reduced += 360;
  return reduced >= 360 ? 0 : reduced + 0.0;
}

// The images of plane C that a symmetry adds, C itself first.
enum class Mirror { none, quadrants, aboutC0, aboutC90 };

void addImages(double c, std::size_t row, Mirror mirror,
               std::vector<Plane>* planes) {
  planes->push_back({c, row});
  if (mirror == Mirror::quadrants || mirror == Mirror::aboutC90)
    planes->push_back({180 - c, row});
  if (mirror == Mirror::quadrants) planes->push_back({180 + c, row});
  if (mirror == Mirror::quadrants || mirror == Mirror::aboutC0)
    planes->push_back({360 - c, row});
}

Mirror iesMirror(float first, float last) {
  if (first == 0 && last == 90) return Mirror::quadrants;
  if (first == 0 && last == 180) return Mirror::aboutC0;
  if (first == 90 && last == 270) return Mirror::aboutC90;
  return Mirror::none;
}

Mirror eulumdatMirror(int symmetry) {
  switch (symmetry) {
    case 2:
      return Mirror::aboutC0;
    case 3:
      return Mirror::aboutC90;
    case 4:
      return Mirror::quadrants;
    default:
      return Mirror::none;
  }
}

}  // namespace

std::vector<std::vector<double>> tableValues(const PhotometricData& record) {
  std::vector<std::vector<double>> values;
  values.reserve(record.candela.size());
  for (const std::vector<float>& row : record.candela) {
    std::vector<double>& exact = values.emplace_back();
    exact.reserve(row.size());
    for (const float value : row) exact.push_back(shortestDouble(value));
  }
  return values;
}

WholeCircle wholeCircle(const PhotometricData& record) {
  WholeCircle circle;
  circle.multiplier = record.candelaMultiplier;
  for (const float angle : record.fileVerticalAngles)
    circle.gammaAngles.push_back(shortestDouble(angle));
  const std::vector<float>& angles = record.horizontalAngles;
  const std::size_t rows = angles.size() - (record.widened ? 1 : 0);
  const bool ies = record.format == PhotometricData::Format::ies;
  circle.typeC = !ies || record.photometricType == 1;
  if (rows == 0) return circle;

  // One plane in the file: every plane alike, one row.
  if (!circle.typeC || record.widened) {
    for (std::size_t row = 0; row < rows; ++row) {
      circle.planeAngles.push_back(shortestDouble(angles[row]));
      circle.sourceRows.push_back(row);
    }
    return circle;
  }

  const Mirror mirror = ies ? iesMirror(angles.front(), angles[rows - 1])
                            : eulumdatMirror(record.symmetry);
  std::vector<Plane> planes;
  for (std::size_t row = 0; row < rows; ++row)
    addImages(shortestDouble(angles[row]), row, mirror, &planes);
  for (Plane& plane : planes) plane.angle = withinCircle(plane.angle);
  std::stable_sort(
      planes.begin(), planes.end(),
      [](const Plane& a, const Plane& b) { return a.angle < b.angle; });
  for (std::size_t i = 0; i < planes.size(); ++i) {
    if (i > 0 && planes[i].angle == planes[i - 1].angle) continue;
    circle.planeAngles.push_back(planes[i].angle);
    circle.sourceRows.push_back(planes[i].sourceRow);
  }
  return circle;
}

PlanesAround planesAround(const WholeCircle& circle, double angle) {
  const std::vector<double>& planes = circle.planeAngles;
  const std::size_t count = planes.size();
  PlanesAround around;
  // Before the first plane, the last one lies a turn back; after the last,
  // the first a turn on.
  around.below = count - 1;
  double belowAngle = planes[count - 1] - 360;
  for (std::size_t k = 0; k < count && planes[k] <= angle; ++k) {
    around.below = k;
    belowAngle = planes[k];
  }
  around.above = (around.below + 1) % count;
  if (count == 1 || belowAngle == angle) {
    around.above = around.below;
    return around;
  }
  const bool wraps = around.above == 0 && belowAngle >= planes[0];
  const double aboveAngle = planes[around.above] + (wraps ? 360 : 0);
  around.share = (angle - belowAngle) / (aboveAngle - belowAngle);
  return around;
}

double planeSpan(const WholeCircle& circle, std::size_t k) {
  const std::vector<double>& planes = circle.planeAngles;
  const std::size_t count = planes.size();
  if (count == 1) return 360;
  const double previous =
      k == 0 ? planes[0] + 360 - planes[count - 1] : planes[k] - planes[k - 1];
  const double next =
      k + 1 == count ? planes[0] + 360 - planes[k] : planes[k + 1] - planes[k];
  return (previous + next) / 2;
}
