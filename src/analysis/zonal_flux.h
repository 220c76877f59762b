#ifndef LUMTREL_ANALYSIS_ZONAL_FLUX_H_
#define LUMTREL_ANALYSIS_ZONAL_FLUX_H_

#include <string>
#include <vector>

#include "analysis/whole_circle.h"

/// The luminous flux in lumens that `circle`'s intensities send into the
/// band of vertical angles from `low` to `high` degrees: each intensity
/// times the solid angle of the part of its zone inside the band, the
/// zones running midway between neighbouring vertical angles (the first
/// from its own angle, the last to its own), each plane weighted by half
/// the gaps to its neighbours around the circle. The bands of a partition
/// of 0 to 180 add up to the whole flux. Needs vertical angles strictly
/// ascending within 0 to 180.
double bandFlux(const WholeCircle& circle,
                const std::vector<std::vector<double>>& values, double low,
                double high);

/// The whole flux in lumens: the band from 0 to 180 degrees.
double luminousFlux(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values);

/// One row of the workbook's Zonal lumens sheet.
struct ZoneFlux {
  std::string name;  ///< "0-10", "90-180"
  double flux = 0;   ///< lm
  /// The flux from 0 to the zone's end, for the 10-degree zones only.
  bool hasCumulative = false;
  double cumulative = 0;
};

/// The flux of every 10-degree zone from 0-10 to 170-180, with the flux up
/// to its end, then of the bands 0-30, 0-40, 0-60, 0-90, 90-180 and 0-180.
/// A zone outside the file's vertical angles holds 0. Same needs as
/// bandFlux.
std::vector<ZoneFlux> zonalLumens(
    const WholeCircle& circle, const std::vector<std::vector<double>>& values);

#endif  // LUMTREL_ANALYSIS_ZONAL_FLUX_H_
