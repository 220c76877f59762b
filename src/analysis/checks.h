#ifndef LUMTREL_ANALYSIS_CHECKS_H_
#define LUMTREL_ANALYSIS_CHECKS_H_

#include <string>
#include <vector>

#include "analysis/whole_circle.h"
#include "photometry/photometric_data.h"

/// A cell of the Checks sheet: a number, or a text (empty for none).
struct CheckValue {
  bool isNumber = false;
  double number = 0;
  std::string text;
};

/// One thing the Checks sheet says of a file.
struct Finding {
  /// A fault: the file contradicts itself or its format. A note: allowed,
  /// but it changes what the figures mean.
  enum class Kind { fault, note };
  Kind kind = Kind::fault;
  std::string check;  ///< "Negative intensity"
  std::string where;  ///< the item as the Header sheet names it, "Line 23"
  CheckValue found;
  CheckValue expected;
};

/// What is wrong with `record`, or worth knowing, judged on the file's own
/// values (angles before any shift, widening or mirroring; angles equal
/// within 0.01 degrees): the faults first, then the notes, each in a fixed
/// order; empty when there is nothing to say. `circle` and `values` are the
/// record's whole circle and table values, for the flux it is checked on.
std::vector<Finding> checkRecord(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values);

#endif  // LUMTREL_ANALYSIS_CHECKS_H_
