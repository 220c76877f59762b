#ifndef LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
#define LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_

#include <iostream>
#include <string>
#include <vector>

/// What the tool keeps of one IES file: the photometric type and the counts
/// of the angle lists. The rest of the header is reported, not kept.
///
/// Only parse() writes the fields. Before it, and after a parse() that
/// failed, the record is empty: every count 0.
class PhotometricData {
 public:
  PhotometricData() = default;
  PhotometricData(const PhotometricData&) = delete;
  PhotometricData& operator=(const PhotometricData&) = delete;

  /// Reads the IES file at `path` in one forward pass and fills the record,
  /// printing the report to `console` as each value is read. Returns false,
  /// with the reason printed as the last line, when the file can't be
  /// opened, holds no tilt line, or a value after the tilt line is missing,
  /// not a number, or a negative count; the record is then left empty.
  /// Called once per record.
  bool parse(const std::string& path, std::ostream& console = std::cout);

  int horizontalCount = 0;
  int verticalCount = 0;
  /// Header item 6, reported on the console and used by nothing else.
  int photometricType = 0;
};

#endif  // LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
