#ifndef LUMTREL_PHOTOMETRY_ANGLE_LISTS_H_
#define LUMTREL_PHOTOMETRY_ANGLE_LISTS_H_

#include <ostream>
#include <vector>

/// Prints an angle list as the report shows it: `label` alone on a line,
/// then each of `angles` followed by ", " on the next line (an empty line
/// for an empty list).
void printAngleMap(const char* label, const std::vector<float>& angles,
                   std::ostream& console);

/// Shifts a vertical angle list whose first angle is above 0 to start at
/// exactly 0, every angle less the first in 32-bit arithmetic, and prints
/// the shifted list under "Vertical angles (transformed): ". A list that is
/// empty or starts at 0 or below is left as it is, and nothing is printed.
void shiftVerticalAngles(std::vector<float>* angles, std::ostream& console);

#endif  // LUMTREL_PHOTOMETRY_ANGLE_LISTS_H_
