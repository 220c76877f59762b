#include "analysis/distribution_summary.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

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

// The point next to `k` along `path`, forward (`direction` +1) or back
// (-1), and the angle between them: across the zenith of a closed path,
// never across the break at the nadir or past an end.
bool neighbour(const PlanePath& path, std::size_t k, int direction,
               std::size_t* next, double* turn) {
  const std::size_t size = path.theta.size();
  if (direction > 0) {
    if (k + 1 < size) {
      if (k + 1 == path.breakAt) return false;
      *next = k + 1;
      *turn = path.theta[k + 1] - path.theta[k];
      return true;
    }
    if (!path.closed) return false;
    *next = 0;
    *turn = path.theta[0] + 360 - path.theta[k];
    return true;
  }
  if (k > 0) {
    if (k == path.breakAt) return false;
    *next = k - 1;
    *turn = path.theta[k] - path.theta[k - 1];
    return true;
  }
  if (!path.closed) return false;
  *next = size - 1;
  *turn = path.theta[0] + 360 - path.theta[size - 1];
  return true;
}

// The end of a beam at point `k`, `angle` from the axis, moved towards the
// next point along the path in `direction` when that one lies below the
// threshold: to where the intensity between them equals it. `outward` is
// the sign that angles from the axis grow by that way.
double movedEnd(const PlanePath& path, std::size_t k, double angle,
                int direction, int outward, double threshold) {
  std::size_t next = 0;
  double turn = 0;
  if (!neighbour(path, k, direction, &next, &turn) ||
      !(path.intensity[next] < threshold))
    return angle;
  const double share = (path.intensity[k] - threshold) /
                       (path.intensity[k] - path.intensity[next]);
  return angle + outward * turn * share;
}

double held(double angle) { return std::max(-90.0, std::min(90.0, angle)); }

}  // namespace

std::vector<double> halfPlane(const WholeCircle& circle,
                              const std::vector<std::vector<double>>& values,
                              double angle) {
  const PlanesAround around = planesAround(circle, angle);
  std::vector<double> row = planeRow(circle, values, around.below);
  if (around.share == 0) return row;
  const std::vector<double> next = planeRow(circle, values, around.above);
  for (std::size_t j = 0; j < row.size(); ++j)
    row[j] += around.share * (next[j] - row[j]);
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

Peak largestIntensity(const WholeCircle& circle,
                      const std::vector<std::vector<double>>& values) {
  Peak peak;
  bool found = false;
  for (std::size_t k = 0; k < circle.planeAngles.size(); ++k) {
    const std::vector<double>& row = values[circle.sourceRows[k]];
    for (std::size_t j = 0; j < row.size(); ++j) {
      const double value = row[j] * circle.multiplier;
      if (!found || value > peak.intensity) peak = {value, k, j};
      found = true;
    }
  }
  return peak;
}

double axisAngle(const PlanePath& path, std::size_t k, BeamAxis axis) {
  const double theta = path.theta[k];
  if (axis == BeamAxis::nadir) return theta;
  return theta >= 0 ? 180 - theta : -180 - theta;
}

bool largestNearAxis(const PlanePath& path, BeamAxis axis, double* largest) {
  bool found = false;
  for (std::size_t k = 0; k < path.theta.size(); ++k) {
    if (std::abs(axisAngle(path, k, axis)) > 90) continue;
    if (!found || path.intensity[k] > *largest) *largest = path.intensity[k];
    found = true;
  }
  return found;
}

bool intensityOnAxis(const PlanePath& path, BeamAxis axis, double* intensity) {
  for (std::size_t k = 0; k < path.theta.size(); ++k) {
    if (axisAngle(path, k, axis) == 0) {
      *intensity = path.intensity[k];
      return true;
    }
  }
  return false;
}

bool beamSpread(const PlanePath& path, BeamAxis axis, double threshold,
                double* degrees) {
  bool found = false;
  std::size_t low = 0, high = 0;
  for (std::size_t k = 0; k < path.theta.size(); ++k) {
    const double angle = axisAngle(path, k, axis);
    if (std::abs(angle) > 90 || !(path.intensity[k] >= threshold)) continue;
    if (!found || angle < axisAngle(path, low, axis)) low = k;
    if (!found || angle > axisAngle(path, high, axis)) high = k;
    found = true;
  }
  if (!found) return false;
  // From the nadir, angles from the axis grow along the path; from the
  // zenith they fall.
  const int along = axis == BeamAxis::nadir ? 1 : -1;
  const double lowEnd =
      movedEnd(path, low, axisAngle(path, low, axis), -along, -1, threshold);
  const double highEnd =
      movedEnd(path, high, axisAngle(path, high, axis), along, 1, threshold);
  *degrees = held(highEnd) - held(lowEnd);
  return true;
}

FluxFigures fluxFigures(const PhotometricData& record,
                        const WholeCircle& circle,
                        const std::vector<std::vector<double>>& values) {
  FluxFigures figures;
  if (!circle.typeC || circle.planeAngles.empty() ||
      circle.gammaAngles.empty() ||
      !ascendingWithinHalfCircle(circle.gammaAngles))
    return figures;
  figures.computed = true;
  figures.flux = luminousFlux(circle, values);
  figures.downward = bandFlux(circle, values, 0, 90);
  figures.upward = bandFlux(circle, values, 90, 180);
  if (record.lampFlux > 0) {
    figures.hasOutputRatio = true;
    figures.outputRatio = 100 * figures.flux / record.lampFlux;
  }
  return figures;
}

std::vector<SummaryRow> summarize(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values,
    std::vector<NamedPath>* paths) {
  std::vector<SummaryRow> rows;
  const auto add = [&rows](const std::string& label, double value) {
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
  const FluxFigures figures = fluxFigures(record, circle, values);
  if (figures.computed) add("Luminous flux (lm)", figures.flux);
  if (figures.hasOutputRatio)
    add("Light output ratio (%)", figures.outputRatio);
  if (record.hasDeclaredOutputRatio)
    add("Declared light output ratio (%)", record.declaredOutputRatio);
  if (record.lampFlux > 0) add("Lamp flux (lm)", record.lampFlux);
  const bool shares = figures.computed && figures.flux > 0;
  if (shares)
    add("Downward flux fraction (%)", 100 * figures.downward / figures.flux);
  if (record.hasDeclaredDownwardFraction)
    add("Declared downward flux fraction (%)", record.declaredDownwardFraction);
  if (shares && figures.hasOutputRatio) {
    add("Downward light output ratio (%)",
        figures.outputRatio * figures.downward / figures.flux);
    add("Upward light output ratio (%)",
        figures.outputRatio * figures.upward / figures.flux);
  }
  if (record.inputPower > 0) {
    add("Input power (W)", record.inputPower);
    if (figures.computed)
      add("Efficacy (lm/W)", figures.flux / record.inputPower);
  }

  const Peak peak = largestIntensity(circle, values);
  add("Maximum intensity (cd)", peak.intensity);
  add("Maximum intensity C (\xC2\xB0)", circle.planeAngles[peak.plane]);
  add("Maximum intensity \xCE\xB3 (\xC2\xB0)", circle.gammaAngles[peak.gamma]);
  if (!figures.computed) return rows;

  // One axis for the luminaire: where most of its light goes.
  const BeamAxis axis =
      figures.downward >= figures.upward ? BeamAxis::nadir : BeamAxis::zenith;
  const char* const pairs[] = {"C0-C180", "C90-C270"};
  // For each definition, fraction, then pair: the spread, when defined.
  bool has[2][2][2] = {};
  double spreads[2][2][2] = {};
  for (int pair = 0; pair < 2; ++pair) {
    const PlanePath path = planePath(circle, values, pair == 0 ? 0 : 90);
    const double largest =
        *std::max_element(path.intensity.begin(), path.intensity.end());
    if (largest > 0) paths->push_back({pairs[pair], path});
    double reference[2] = {0, 0};  // the maximum near the axis, the centre
    const bool defined[2] = {
        largestNearAxis(path, axis, &reference[0]) && reference[0] > 0,
        intensityOnAxis(path, axis, &reference[1]) && reference[1] > 0};
    for (int definition = 0; definition < 2; ++definition) {
      for (int fraction = 0; fraction < 2; ++fraction) {
        has[definition][fraction][pair] =
            defined[definition] &&
            beamSpread(path, axis,
                       (fraction == 0 ? 0.5 : 0.1) * reference[definition],
                       &spreads[definition][fraction][pair]);
      }
    }
  }
  const char* const kinds[] = {"Beam angle ", "Field angle "};
  const char* const definitions[] = {"maximum", "centre"};
  for (int definition = 0; definition < 2; ++definition) {
    for (int fraction = 0; fraction < 2; ++fraction) {
      for (int pair = 0; pair < 2; ++pair) {
        if (!has[definition][fraction][pair]) continue;
        add(std::string(kinds[fraction]) + pairs[pair] + ", " +
                (fraction == 0 ? "50" : "10") + " % of " +
                definitions[definition] + " (\xC2\xB0)",
            spreads[definition][fraction][pair]);
      }
    }
  }
  return rows;
}
