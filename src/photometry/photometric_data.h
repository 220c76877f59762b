#ifndef LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
#define LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_

#include <iostream>
#include <string>
#include <vector>

/// One item of a photometric file's header, as the workbook lists it.
struct HeaderItem {
  /// The item's name in the format's own terms ("[TEST]", "Luminaire
  /// name"); bytes as the file gives them for a keyword.
  std::string label;
  /// The item's text as the file holds it, in the file's own bytes, when it
  /// is no number.
  std::string text;
  bool isNumber = false;
  /// The double nearest the file's text, when isNumber.
  double number = 0;
};

/// What the tool keeps of one photometric file, IES or EULUMDAT: the two
/// angle lists, the candela grid with its counts, the photometric type, and
/// for the workbook the header's items, the multiplier at full precision
/// and how the file's planes repeat by symmetry. Candela values are stored
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
  /// environment locale. The table is written whole beside `path` and only
  /// then put in its place (see OutputFile), so a failed save leaves what
  /// was there. Prints "Saved: <path>" on `console` and returns true, or
  /// prints "Could not save: <path>" and a "Reason: " line and returns
  /// false when the file can't be created or written. Changes nothing in
  /// the record.
  bool save(const std::string& path, std::ostream& console = std::cout) const;

  /// The first header item labelled `label`, or none.
  const HeaderItem* headerItem(const std::string& label) const;

  std::vector<float> verticalAngles;
  std::vector<float> horizontalAngles;
  std::vector<std::vector<float>> candela;
  int horizontalCount = 0;
  int verticalCount = 0;
  /// IES header item 6 (1 type C, 2 type B, 3 type A); 1 for EULUMDAT.
  int photometricType = 0;

  enum class Format { ies, eulumdat };
  Format format = Format::ies;
  /// EULUMDAT's symmetry indicator Isym, 0 to 4; 0 for IES.
  int symmetry = 0;
  /// True when the file gave one plane and the last row is its copy at 180.
  bool widened = false;
  /// The vertical angles as the file gives them, before any shift.
  std::vector<float> fileVerticalAngles;
  /// What turns a table value into candela, at full precision from the
  /// header's text: IES, the candela multiplier; EULUMDAT, the conversion
  /// factor times the first lamp set's flux / 1000.
  double candelaMultiplier = 0;
  /// The flux of the lamps, which a light output ratio compares with: IES,
  /// the number of lamps times the lumens per lamp, when both are numbers
  /// above 0; EULUMDAT, the first lamp set's flux when it is above 0 and
  /// its number of lamps is not negative. 0 when there is none.
  double lampFlux = 0;
  /// EULUMDAT's light output ratio in %, when its line holds a number.
  bool hasDeclaredOutputRatio = false;
  double declaredOutputRatio = 0;
  /// EULUMDAT's downward flux fraction in %, line 22, when it holds a
  /// number.
  bool hasDeclaredDownwardFraction = false;
  double declaredDownwardFraction = 0;
  /// The power the luminaire takes, in W: IES input watts, EULUMDAT the
  /// first lamp set's wattage including ballast; 0 when it is no number.
  double inputPower = 0;
  /// The horizontal angles as the file lists them: IES its list, without
  /// the copy of a single plane; EULUMDAT all Mc C angles, stored or not.
  std::vector<float> fileHorizontalAngles;
  /// IES: how many numbers follow the candela values that the counts
  /// promise, up to the first text that is none.
  std::size_t valuesAfterGrid = 0;
  /// EULUMDAT: some number was written with a decimal comma.
  bool decimalCommas = false;
  /// Every item of the header, in file order.
  std::vector<HeaderItem> header;
  /// False when the header held more than a sheet can list (more than
  /// kMaxHeaderItems items or kMaxHeaderBytes of text); `header` then holds
  /// only the first of them.
  bool headerWhole = true;
  static constexpr std::size_t kMaxHeaderItems = 1048575;
  static constexpr std::size_t kMaxHeaderBytes = 16 << 20;
};

#endif  // LUMTREL_PHOTOMETRY_PHOTOMETRIC_DATA_H_
