#ifndef LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_
#define LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_

#include <cstddef>
#include <string>
#include <vector>

#include "photometry/photometric_data.h"
#include "analysis/whole_circle.h"

/// The directions of one plane pair C = c and C = c + 180 as one path:
/// the c + 180 half-plane at theta = -gamma from its last vertical angle
/// down to its first, then the c half-plane at theta = +gamma from its
/// first to its last. Vertical angles from 0 give one nadir point, the c
/// half-plane's; from above 0 the path breaks at the nadir. Angles up to
/// 180 close the path at the zenith: the c + 180 half-plane's 180 is left
/// out, and the path runs from the c half-plane's 180 on to its first
/// point.
struct PlanePath {
  std::vector<double> theta;      ///< degrees, ascending along the path
  std::vector<double> intensity;  ///< candela
  bool closed = false;
  /// The index of the first point after the break at the nadir, or the
  /// number of points when there is none.
  std::size_t breakAt = 0;
};

/// The intensities of the half-plane at `angle` (degrees) from `circle`'s
/// planes, in candela, one for each vertical angle: the plane's own row, or
/// interpolated linearly between the rows on either side around the
/// circle; a single row stands for every plane.
std::vector<double> halfPlane(const WholeCircle& circle,
                              const std::vector<std::vector<double>>& values,
                              double angle);

/// The path of the plane pair C = `c` and C = `c` + 180. Needs vertical
/// angles strictly ascending within 0 to 180.
PlanePath planePath(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values, double c);

/// Point `k` of `path` as a polar diagram draws it, theta 0 pointing down
/// as makers draw their curves: x = I sin(theta), y = -I cos(theta), in cd.
void polarPoint(const PlanePath& path, std::size_t k, double* x, double* y);

/// The angle in degrees that the lobe around the path's first maximum M
/// spans where the intensity stays at or above `fraction` of M: walked from
/// that maximum both ways to where the intensity falls below the threshold
/// (interpolated linearly), or to the path's end or break; 360 when a
/// closed path stays above it all the way round. Returns false when M is
/// not above 0.
bool spread(const PlanePath& path, double fraction, double* degrees);

/// Luminous flux in lumens of the whole circle's intensities: each
/// intensity times the solid angle of its zone, the zones running midway
/// between neighbouring vertical angles (the first from its own angle, the
/// last to its own), each plane weighted by half the gaps to its
/// neighbours around the circle. Needs vertical angles strictly ascending
/// within 0 to 180.
double luminousFlux(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values);

/// One row of the workbook's Summary sheet.
struct SummaryRow {
  std::string label;
  bool hasValue = true;
  double value = 0;
};

/// What an engineer computes from `record`'s distribution, as the Summary
/// sheet lists it: flux, light output ratios, the maximum intensity and
/// where it is, beam (50 %) and field (10 %) angles in the C0-C180 and
/// C90-C270 plane pairs; a row is left out where its value is undefined.
/// Type B and A photometry, or no intensities, give one row saying so.
/// `paths` receives the paths of the two plane pairs whose beam angles are
/// listed, named "C0-C180" and "C90-C270", for the polar diagram.
struct NamedPath {
  std::string name;
  PlanePath path;
};
std::vector<SummaryRow> summarize(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values,
    std::vector<NamedPath>* paths);

#endif  // LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_
