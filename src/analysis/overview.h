#ifndef LUMTREL_ANALYSIS_OVERVIEW_H_
#define LUMTREL_ANALYSIS_OVERVIEW_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "photometry/photometric_data.h"

/// Who made a file and what it describes, as Summary opens with it: the
/// lines "File", "Manufacturer", "Luminaire" and "Format" with their values,
/// texts in the file's own bytes (IES [MANUFAC] and [LUMINAIRE], EULUMDAT
/// lines 1, 9 and 10; the format as "IES LM-63-2002", "IES LM-63-1991" for
/// IESNA91, "IES LM-63-1986" without a format line, "EULUMDAT"). Empty where
/// the file says nothing.
std::vector<std::pair<std::string, std::string>> fileIdentity(
    const PhotometricData& record, const std::string& inputName);

/// The titles of an overview's columns, in order: File, Status, Format,
/// Manufacturer, Luminaire, the figures that Summary lists under the same
/// labels, and Faults.
const std::vector<std::string>& overviewTitles();

/// One file's line of a folder's overview.
struct OverviewRow {
  std::string file;    ///< the file's name, in its own bytes
  bool read = false;   ///< false when the file was refused
  std::string status;  ///< "Read", or the message it was refused with
  /// Format, Manufacturer and Luminaire, as fileIdentity gives them.
  std::string identity[3];
  /// The figures in the order of overviewTitles(), each the value Summary
  /// shows; none where Summary leaves it out or the file was refused.
  std::vector<std::optional<double>> figures;
  /// The faults the Checks sheet lists; none for a refused file.
  std::optional<double> faults;
};

/// The line of `record`, read from the file named `name`.
OverviewRow overviewRow(const std::string& name, const PhotometricData& record);

/// The line of the file named `name`, refused with `message`.
OverviewRow refusedRow(const std::string& name, const std::string& message);

#endif  // LUMTREL_ANALYSIS_OVERVIEW_H_
