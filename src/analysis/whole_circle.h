#ifndef LUMTREL_ANALYSIS_WHOLE_CIRCLE_H_
#define LUMTREL_ANALYSIS_WHOLE_CIRCLE_H_

#include <cstddef>
#include <vector>

#include "photometry/photometric_data.h"

/// A record's candela values as numbers to calculate with: every value the
/// double nearest to the shortest decimal that reads back as the stored
/// float (a file's 0.1 is 0.1), in the table's rows and columns.
std::vector<std::vector<double>> tableValues(const PhotometricData& record);

/// Intensities in candela on the whole circle: the planes that a file
/// leaves out by symmetry filled in by mirroring the planes it stores.
struct WholeCircle {
  /// The file's own vertical angles, before any shift, as doubles.
  std::vector<double> gammaAngles;
  /// One angle a plane. For type C photometry ascending from 0 to below
  /// 360, each angle once; for types B and A as the file lists them.
  std::vector<double> planeAngles;
  /// For each plane, the table row (an index into the record's rows) whose
  /// values it takes.
  std::vector<std::size_t> sourceRows;
  /// Table value times this is candela.
  double multiplier = 0;
  /// True for type C photometry, whose planes go round the circle.
  bool typeC = true;
};

/// The planes of `record` over the whole circle. IES type C (photometric
/// type 1): one plane stands for every plane; a list from 0 to 90 is
/// mirrored into all four quadrants, 0 to 180 about C0-C180, 90 to 270
/// about C90-C270, and any other list stands as it is; EULUMDAT by its
/// symmetry indicator. Angles are taken modulo 360, and where two come out
/// equal the first in file order stays. IES types B and A: the planes as
/// listed. The copy of a single plane that the table adds is no plane.
WholeCircle wholeCircle(const PhotometricData& record);

/// The planes either side of `angle` (degrees, 0 to below 360) around
/// `circle`'s type C circle: the last at or below it and the next, with the
/// share of the way from the one to the other; one plane stands for every
/// angle. Needs at least one plane.
struct PlanesAround {
  std::size_t below = 0;
  std::size_t above = 0;
  double share = 0;
};
PlanesAround planesAround(const WholeCircle& circle, double angle);

/// The part of the circle that plane `k` of `circle` stands for, in
/// degrees: half the gaps to its neighbours; 360 for a single plane.
double planeSpan(const WholeCircle& circle, std::size_t k);

#endif  // LUMTREL_ANALYSIS_WHOLE_CIRCLE_H_
