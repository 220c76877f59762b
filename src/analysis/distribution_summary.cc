#include "analysis/distribution_summary.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180; }

// True when the vertical angles rise strictly from 0 or above to 180 or
// below, as the flux zones and the paths need.
bool ascendingWithinHalfCircle(const std::vector<double>& gammas) {
  for (std::size_t j = 0; j < gammas.size(); ++j) {
    if (gammas[j] < 0 || gammas[j] > 180) return false;
    if (j > 0 && !(gammas[j] > gammas[j - 1])) return false;
  }
  return true;
}

// The row of plane k in candela.
std::vector<double> planeRow(const WholeCircle& circle,
                             const std::vector<std::vector<double>>& values,
                             std::size_t k) {
  std::vector<double> row = values[circle.sourceRows[k]];
  for (double& value : row) value *= circle.multiplier;
  return row;
}

// Walks `path` from point `from` in `direction` (+1 or -1) while the next
// point is at or above `threshold`, and returns where the intensity falls
// below it, as a position along the path measured from theta[from];
// sets `allRound` when the walk comes back to `from`.
double walk(const PlanePath& path, std::size_t from, double threshold,
            int direction, bool* allRound) {
  const std::size_t size = path.theta.size();
  std::size_t k = from;
  double position = 0;
  for (std::size_t step = 0; step < size; ++step) {
    std::size_t next;
    double turn;
    if (direction > 0) {
      if (k + 1 < size) {
        if (k + 1 == path.breakAt) return position;
        next = k + 1;
        turn = path.theta[next] - path.theta[k];
      } else if (path.closed) {
        next = 0;  // across the zenith
        turn = path.theta[0] + 360 - path.theta[k];
      } else {
        return position;
      }
    } else {
      if (k > 0) {
        if (k == path.breakAt) return position;
        next = k - 1;
        turn = path.theta[k] - path.theta[next];
      } else if (path.closed) {
        next = size - 1;
        turn = path.theta[0] + 360 - path.theta[next];
      } else {
        return position;
      }
    }
    const double nextPosition = position + direction * turn;
    if (next == from) {
      *allRound = true;
      return nextPosition;
    }
    const double current = path.intensity[k];
    const double following = path.intensity[next];
    if (following < threshold)
      return position +
             direction * turn * (current - threshold) / (current - following);
    k = next;
    position = nextPosition;
  }
  return position;
}

}  // namespace

std::vector<double> halfPlane(const WholeCircle& circle,
                              const std::vector<std::vector<double>>& values,
                              double angle) {
  const std::vector<double>& planes = circle.planeAngles;
  const std::size_t count = planes.size();
  // The last plane at or below the angle, around the circle.
  std::size_t below = count - 1;
  double belowAngle = planes[count - 1] - 360;
  for (std::size_t k = 0; k < count && planes[k] <= angle; ++k) {
    below = k;
    belowAngle = planes[k];
  }
  if (count == 1 || belowAngle == angle) return planeRow(circle, values, below);
  const std::size_t above = (below + 1) % count;
  const double aboveAngle = planes[above] + (above == 0 ? 360 : 0);
  const double weight = (angle - belowAngle) / (aboveAngle - belowAngle);
  std::vector<double> row = planeRow(circle, values, below);
  const std::vector<double> next = planeRow(circle, values, above);
  for (std::size_t j = 0; j < row.size(); ++j)
    row[j] += weight * (next[j] - row[j]);
  return row;
}

PlanePath planePath(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values, double c) {
  const std::vector<double>& gammas = circle.gammaAngles;
  const std::vector<double> here = halfPlane(circle, values, c);
  const std::vector<double> opposite = halfPlane(circle, values, c + 180);
  const std::size_t count = gammas.size();
  PlanePath path;
  path.closed = count >= 2 && gammas.back() == 180;
  const bool nadir = count >= 1 && gammas.front() == 0;
  // The opposite half-plane from its last angle down, without the zenith
  // of a closed path and without the nadir that the other half holds.
  const std::size_t last = count - (path.closed ? 1 : 0);
  for (std::size_t j = last; j-- > (nadir ? 1 : 0);) {
    path.theta.push_back(-gammas[j]);
    path.intensity.push_back(opposite[j]);
  }
  const std::size_t oppositeCount = path.theta.size();
  for (std::size_t j = 0; j < count; ++j) {
    path.theta.push_back(gammas[j]);
    path.intensity.push_back(here[j]);
  }
  // Without a nadir point the two halves meet at no direction.
  path.breakAt =
      !nadir && oppositeCount > 0 ? oppositeCount : path.theta.size();
  if (path.theta.size() < 2) path.closed = false;
  return path;
}

void polarPoint(const PlanePath& path, std::size_t k, double* x, double* y) {
  const double theta = radians(path.theta[k]);
  *x = path.intensity[k] * std::sin(theta) + 0.0;
  *y = -path.intensity[k] * std::cos(theta) + 0.0;
}

bool spread(const PlanePath& path, double fraction, double* degrees) {
  std::size_t peak = 0;
  for (std::size_t k = 1; k < path.intensity.size(); ++k) {
    if (path.intensity[k] > path.intensity[peak]) peak = k;
  }
  if (path.intensity.empty() || !(path.intensity[peak] > 0)) return false;
  const double threshold = fraction * path.intensity[peak];
  bool allRound = false;
  const double forward = walk(path, peak, threshold, +1, &allRound);
  if (allRound) {
    *degrees = 360;
    return true;
  }
  const double backward = walk(path, peak, threshold, -1, &allRound);
  *degrees = forward - backward;
  return true;
}

double luminousFlux(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values) {
  const std::vector<double>& gammas = circle.gammaAngles;
  const std::size_t count = gammas.size();
  // The solid angle of each vertical angle's zone, per radian of the
  // circle.
  std::vector<double> zones(count);
  for (std::size_t j = 0; j < count; ++j) {
    const double from = j == 0 ? gammas[j] : (gammas[j - 1] + gammas[j]) / 2;
    const double to =
        j + 1 == count ? gammas[j] : (gammas[j] + gammas[j + 1]) / 2;
    zones[j] = std::cos(radians(from)) - std::cos(radians(to));
  }
  const std::vector<double>& planes = circle.planeAngles;
  const std::size_t planeCount = planes.size();
  double flux = 0;
  for (std::size_t k = 0; k < planeCount; ++k) {
    double share = 2 * kPi;
    if (planeCount > 1) {
      const double previous = k == 0 ? planes[0] + 360 - planes[planeCount - 1]
                                     : planes[k] - planes[k - 1];
      const double next = k + 1 == planeCount ? planes[0] + 360 - planes[k]
                                              : planes[k + 1] - planes[k];
      share = radians(previous + next) / 2;
    }
    const std::vector<double>& row = values[circle.sourceRows[k]];
    double sum = 0;
    for (std::size_t j = 0; j < count; ++j) sum += row[j] * zones[j];
    flux += share * sum * circle.multiplier;
  }
  return flux;
}

std::vector<SummaryRow> summarize(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values,
    std::vector<NamedPath>* paths) {
  std::vector<SummaryRow> rows;
  const auto add = [&rows](const char* label, double value) {
    rows.push_back({label, true, value});
  };
  if (!circle.typeC) {
    rows.push_back({"Not computed: type B or A photometry", false, 0});
    return rows;
  }
  if (circle.planeAngles.empty() || circle.gammaAngles.empty()) {
    rows.push_back({"Not computed: no intensities", false, 0});
    return rows;
  }
  const bool zonesHold = ascendingWithinHalfCircle(circle.gammaAngles);
  if (zonesHold) {
    const double flux = luminousFlux(circle, values);
    add("Luminous flux (lm)", flux);
    if (record.lampFlux > 0)
      add("Light output ratio (%)", 100 * flux / record.lampFlux);
  }
  if (record.hasDeclaredOutputRatio)
    add("Declared light output ratio (%)", record.declaredOutputRatio);

  // The first largest value, reading row by row from the top.
  std::size_t peakPlane = 0, peakGamma = 0;
  double peak = 0;
  bool found = false;
  for (std::size_t k = 0; k < circle.planeAngles.size(); ++k) {
    const std::vector<double>& row = values[circle.sourceRows[k]];
    for (std::size_t j = 0; j < row.size(); ++j) {
      const double value = row[j] * circle.multiplier;
      if (!found || value > peak) {
        peak = value, peakPlane = k, peakGamma = j, found = true;
      }
    }
  }
  add("Maximum intensity (cd)", peak);
  add("Maximum intensity C (\xC2\xB0)", circle.planeAngles[peakPlane]);
  add("Maximum intensity \xCE\xB3 (\xC2\xB0)", circle.gammaAngles[peakGamma]);
  if (!zonesHold) return rows;

  const char* const pairs[] = {"C0-C180", "C90-C270"};
  PlanePath pairPaths[2] = {planePath(circle, values, 0),
                            planePath(circle, values, 90)};
  double degrees = 0;
  for (int pair = 0; pair < 2; ++pair) {
    if (!spread(pairPaths[pair], 0.5, &degrees)) continue;
    add(pair == 0 ? "Beam angle C0-C180 (\xC2\xB0)"
                  : "Beam angle C90-C270 (\xC2\xB0)",
        degrees);
    paths->push_back({pairs[pair], pairPaths[pair]});
  }
  for (int pair = 0; pair < 2; ++pair) {
    if (!spread(pairPaths[pair], 0.1, &degrees)) continue;
    add(pair == 0 ? "Field angle C0-C180 (\xC2\xB0)"
                  : "Field angle C90-C270 (\xC2\xB0)",
        degrees);
  }
  return rows;
}
