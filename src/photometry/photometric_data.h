#ifndef LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
#define LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_

#include <iostream>
#include <string>
#include <vector>

/// What the tool keeps of one photometric file, IES or EULUMDAT: the two
/// angle lists, the candela grid with its counts, and the photometric type.
/// The rest of the header is reported, not kept. Candela values are stored
/// as read (EULUMDAT intensities in cd/klm): the file's candela multiplier
/// is not applied.
///
/// Only parse() writes the fields. After a successful parse():
/// - verticalAngles holds verticalCount entries and horizontalAngles
///   horizontalCount entries, in file order;
/// - candela holds horizontalCount rows of verticalCount entries each; row i
///   belongs to horizontalAngles[i], entry j of a row to verticalAngles[j];
/// - horizontalCount is never 1: a file with a single plane is widened to
///   two, the second at 180 degrees with a copy of the first plane's values;
/// - a vertical list whose first angle was above 0 has been shifted to
///   start at exactly 0.
/// Before parse(), and after a parse() that failed, the record is empty: no
/// entries, no rows, every count 0.
class PhotometricData {
 public:
  PhotometricData() = default;
  PhotometricData(const PhotometricData&) = delete;
  PhotometricData& operator=(const PhotometricData&) = delete;

  /// Reads the photometric file at `path` in one forward pass and fills the
  /// record, printing the report to `console` as it goes. A name ending in
  /// ".ldt", in any case, as the system opens it, is read as EULUMDAT, any
  /// other as IES. Returns false, with the reason printed as the last line,
  /// when the file can't be opened, or is not valid: an IES file with no
  /// tilt line, or a value after it missing, not a number or a negative
  /// count; an EULUMDAT file with a number missing or not a number, or a
  /// count its symmetry can't have. The record is then left empty. Called
  /// once per record.
  bool parse(const std::string& path, std::ostream& console = std::cout);

  /// Writes the candela grid to `path`, created or replaced, as a
  /// semicolon table: a row "A;" and the vertical angles, then a row for
  /// each horizontal angle with its candela values, every cell followed by
  /// ";", and one empty line at the end. Numbers follow the user's
  /// environment locale. Prints "Saved: <path>" on `console` and returns
  /// true, or prints "Could not save: <path>" and returns false when the
  /// file can't be created or written. Changes nothing in the record.
  bool save(const std::string& path, std::ostream& console = std::cout) const;

  std::vector<float> verticalAngles;
  std::vector<float> horizontalAngles;
  std::vector<std::vector<float>> candela;
  int horizontalCount = 0;
  int verticalCount = 0;
  /// Header item 6, reported on the console and used by nothing else.
  int photometricType = 0;

 private:
  bool parseIes(const std::string& path, std::ostream& console);
  bool parseEulumdat(const std::string& path, std::ostream& console);
  // Takes the lists and the grid of a file read to its last value.
  void fill(std::vector<float> vertical, std::vector<float> horizontal,
            std::vector<std::vector<float>> grid, int type);
};

#endif  // LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
