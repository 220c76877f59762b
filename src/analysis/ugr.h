#ifndef LUMTREL_ANALYSIS_UGR_H_
#define LUMTREL_ANALYSIS_UGR_H_

#include <string>
#include <vector>

#include "analysis/whole_circle.h"
#include "photometry/photometric_data.h"

/// The standard rooms of a UGR table, as multiples of H (X across the line
/// of sight, Y along it), and its reflectances (ceiling, walls, floor).
constexpr int kUgrRooms = 19;
constexpr int kUgrReflectances = 5;
extern const int kUgrRoomSizes[kUgrRooms][2];
extern const double kUgrReflectanceSets[kUgrReflectances][3];

/// A luminaire's UGR catalogue table by the CIE 190 tabular method with
/// CIE 117's formula, luminaires spaced 0.25 H in rooms H = 2 m high above
/// the eye: uncorrected values, crosswise and endwise, for each room and
/// set of reflectances.
struct UgrTable {
  double crosswise[kUgrRooms][kUgrReflectances] = {};
  double endwise[kUgrRooms][kUgrReflectances] = {};
};

/// Whether `record` can have a UGR table: an EULUMDAT file of type C
/// photometry with a luminous area (or else a luminaire size) above 0 and
/// a lamp flux above 0. When it can't, `why` says so, in a few words ("no
/// lamp flux"). Never fails.
bool ugrPossible(const PhotometricData& record, const WholeCircle& circle,
                 std::string* why);

/// The UGR table of `record`, whose `circle` and table `values` are given;
/// needs ugrPossible.
UgrTable ugrTable(const PhotometricData& record, const WholeCircle& circle,
                  const std::vector<std::vector<double>>& values);

/// The parts of the method a test checks on its own.
namespace ugr {

/// The Guth position index by bilinear interpolation at (T/R, H/R); false
/// when any of the four corners around it is undefined, or it lies beyond
/// the table.
bool positionIndex(double tOverR, double hOverR, double* p);

/// The luminous area seen from (C, gamma) in degrees, in m2: a rectangle
/// of length `length` along C90-C270 and width `width` along C0-C180, or
/// with width 0 a circle of diameter `length`, `heights` its side faces at
/// C0, C90, C180 and C270; all in m.
double projectedArea(double length, double width, const double heights[4],
                     double c, double gamma);

/// The transfer factors FT_FW, FT_WW and FT_CW of an x by y by 1 room with
/// reflectances (ceiling, walls, floor).
void transferFactors(double x, double y, const double reflectances[3],
                     double factors[3]);

}  // namespace ugr

#endif  // LUMTREL_ANALYSIS_UGR_H_
