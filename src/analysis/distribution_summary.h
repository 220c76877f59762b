#ifndef LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_
#define LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/whole_circle.h"
#include "analysis/zonal_flux.h"
#include "photometry/photometric_data.h"

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

/// The largest intensity of `circle` in candela and where it is: the first
/// of equals, reading plane by plane and each plane from its first vertical
/// angle. Needs at least one plane and one vertical angle.
struct Peak {
  double intensity = 0;
  std::size_t plane = 0;  ///< an index into circle.planeAngles
  std::size_t gamma = 0;  ///< an index into circle.gammaAngles
};
Peak largestIntensity(const WholeCircle& circle,
                      const std::vector<std::vector<double>>& values);

/// Where a luminaire's beam points, which its beam and field angles are
/// measured about: straight down or straight up.
enum class BeamAxis { nadir, zenith };

/// The signed angle in degrees of point `k` of `path` from `axis`: theta
/// from the nadir; from the zenith, 180 - gamma on the c half-plane and
/// -(180 - gamma) on the c + 180 one.
double axisAngle(const PlanePath& path, std::size_t k, BeamAxis axis);

/// The largest intensity of `path` within 90 degrees of `axis`, in
/// `largest`. Returns false when no direction lies there.
bool largestNearAxis(const PlanePath& path, BeamAxis axis, double* largest);

/// The intensity of `path` on `axis` itself, the c half-plane's, in
/// `intensity`. Returns false when the path has no direction there.
bool intensityOnAxis(const PlanePath& path, BeamAxis axis, double* intensity);

/// The angle in degrees between the outermost directions of `path`, either
/// side of `axis` and within 90 degrees of it, whose intensity is at or
/// above `threshold`. Each end moves out, interpolated linearly in angle,
/// to where the intensity equals the threshold, towards the next direction
/// of the path further out when there is one (not across a break) and it
/// lies below the threshold; then each end is held within 90 degrees of
/// the axis. Returns false when no direction within 90 degrees reaches the
/// threshold.
bool beamSpread(const PlanePath& path, BeamAxis axis, double threshold,
                double* degrees);

/// The flux figures of a distribution, which the Summary and Checks sheets
/// both use. Only type C photometry with vertical angles ascending within 0
/// to 180 has them.
struct FluxFigures {
  bool computed = false;
  double flux = 0;      ///< lm, the whole sphere
  double downward = 0;  ///< lm, gamma 0 to 90
  double upward = 0;    ///< lm, gamma 90 to 180
  /// The light output ratio in %, against the lamps' flux, when the record
  /// has one.
  bool hasOutputRatio = false;
  double outputRatio = 0;
};
FluxFigures fluxFigures(const PhotometricData& record,
                        const WholeCircle& circle,
                        const std::vector<std::vector<double>>& values);

/// One row of the workbook's Summary sheet.
struct SummaryRow {
  std::string label;
  bool hasValue = true;
  double value = 0;
};

/// What an engineer computes from `record`'s distribution, as the Summary
/// sheet lists it: the flux and light output ratios, the lamps' flux, the
/// downward share, the power and efficacy, the maximum intensity and where
/// it is, and beam (50 %) and field (10 %) angles in the C0-C180 and
/// C90-C270 plane pairs, of the maximum and of the centre, about the nadir
/// when at least as much light goes down as up, else about the zenith; a
/// row is left out where its value is undefined. Type B and A photometry,
/// or no intensities, give one row saying so. `paths` receives the paths of
/// the plane pairs that hold light, named "C0-C180" and "C90-C270", for the
/// polar diagram.
struct NamedPath {
  std::string name;
  PlanePath path;
};
std::vector<SummaryRow> summarize(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values,
    std::vector<NamedPath>* paths);

#endif  // LUMTREL_ANALYSIS_DISTRIBUTION_SUMMARY_H_
