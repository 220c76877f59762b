// The IES walk of PhotometricData::parse: the file's items in their own
// order, reported on the console as they are read.
#include "photometry/ies.h"

#include <algorithm>
#include <utility>

#include "photometry/angle_lists.h"
#include "photometry/header_items.h"
#include "photometry/ies_reader.h"

namespace {

// Walks one IES file field by field, in the file's own order, printing the
// report as it goes. Every read is checked: the first one that fails prints
// the reason and ends the walk, so a broken file is never reported as read.
class IesWalk {
 public:
  IesWalk(IesReader& reader, std::ostream& console, HeaderItems& items)
      : reader_(reader), console_(console), items_(items) {}

  // Passes over the format and keyword lines up to the first token that
  // holds "TILT=", keeping them as header items, then the tilt data that
  // the file holds itself.
  bool tiltLine();

  // Reads and reports the thirteen header values that follow the tilt line.
  // Keeps the multiplier at full precision, and the lamps' flux when the
  // number of lamps and the lumens per lamp are both numbers above 0.
  bool header(int* verticalCount, int* horizontalCount, int* photometricType,
              double* multiplier, double* lampFlux, double* inputWatts);

  // Reads and reports `count` vertical angles, keeps them as read in
  // `fileAngles`, then shifts a list that starts above 0 to start at 0.
  bool verticalAngles(int count, std::vector<float>* angles,
                      std::vector<float>* fileAngles);

  // Reads and reports `count` horizontal angles; a single plane is widened
  // to two, the second at 180 degrees.
  bool horizontalAngles(int count, std::vector<float>* angles);

  // Reads the candela values plane by plane, `angleCount` to a plane, one
  // row for each of `planes`. When `mirrored`, the last plane is not read
  // but copied from the one before.
  bool candelaGrid(int angleCount, std::size_t planes, bool mirrored,
                   std::vector<std::vector<float>>* grid);

  // Counts the numbers that follow the grid, up to the first text that is
  // none or the end of the file.
  std::size_t valuesAfterGrid();

 private:
  void headerLines(const std::vector<std::string>& lines);
  bool includedTiltData();
  bool luminousOpening();
  bool listValue(const char* item, std::vector<float>* values);

  bool reportToken(const char* label, const char* item, const char* headerLabel,
                   double* number = nullptr);
  bool reportInteger(const char* label, const char* item,
                     const char* headerLabel, int* value);
  bool reportCount(const char* label, const char* item, const char* headerLabel,
                   int* count);
  bool keptToken(const char* item, const char* headerLabel);
  bool keptReal(const char* item, const char* headerLabel, float* value,
                double* exact = nullptr);
  bool token(const char* item, std::string* value);
  bool integer(const char* item, int* value);
  bool real(const char* item, float* value, double* exact = nullptr);
  bool invalid(const char* item);

  IesReader& reader_;
  std::ostream& console_;
  HeaderItems& items_;
  std::string token_;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// `text` without the blanks around it.
std::string trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IesWalk::tiltLine() {
  std::vector<std::string> lines;
  reader_.keepLines(&lines, PhotometricData::kMaxHeaderBytes);
  do {
    if (!reader_.readToken(&token_)) {
      console_ << "Tilt data not found IES invalid!" << std::endl;
      return false;
    }
  } while (token_.find("TILT=") == std::string::npos);
  // The tilt line's own text before its tilt token, a keyword say.
  std::string before = reader_.stopKeepingLines();
  if (before.size() >= token_.size() &&
      before.compare(before.size() - token_.size(), token_.size(), token_) ==
          0) {
    before.erase(before.size() - token_.size());
    if (before.find_first_not_of(" \t\v\f") != std::string::npos)
      lines.push_back(std::move(before));
  }
  headerLines(lines);
  if (reader_.linesDropped()) items_.markIncomplete();
  const std::size_t equals = token_.find("TILT=") + 5;
  items_.text("TILT", token_.substr(equals));

  if (token_ == "TILT=INCLUDE") return includedTiltData();
  if (token_ == "TILT=NONE") {
    console_ << "No tilt data." << std::endl;
  } else {
    // TILT=<file name>: the tilt data lives in a file of its own, not read.
    console_ << "Tilt data in another file." << std::endl;
  }
  return true;
}

// The lines before the tilt line: the format line first, when the file
// names its format there, then keyword lines ("[TEST] sample") and any
// other text.
void IesWalk::headerLines(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = trimmed(lines[i]);
    const std::size_t text = line.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const std::size_t close = line.find(']');
    if (i == 0 && line.compare(text, 3, "IES") == 0) {
      items_.text("Format", line.substr(text));
    } else if (line[0] == '[' && close != std::string::npos) {
      items_.add(line.substr(0, close + 1), trimmed(line.substr(close + 1)),
                 false, 0);
    } else {
      items_.text("Text", std::move(line));
    }
  }
}

bool IesWalk::includedTiltData() {
  console_ << "Tilt data included in IES file. Skipping..." << std::endl;
  int angleCount = 0;
  if (!keptToken("tilt data", "Lamp-to-luminaire geometry") ||
      !integer("tilt data", &angleCount))
    return false;
  items_.number("Number of tilt angles", angleCount);
  // The tilt angles, then as many multiplying factors, over any lines.
  for (int i = 0; i < angleCount; ++i) {
    if (!keptToken("tilt data", "Tilt angle")) return false;
  }
  for (int i = 0; i < angleCount; ++i) {
    if (!keptToken("tilt data", "Multiplying factor")) return false;
  }
  console_ << "Tilt data skipped" << std::endl;
  return true;
}

bool IesWalk::header(int* verticalCount, int* horizontalCount,
                     int* photometricType, double* multiplier, double* lampFlux,
                     double* inputWatts) {
  float shownMultiplier = 0;
  double lamps = 0, lumens = 0;
  *photometricType = 0;
  if (!reportToken("Number of lamps: ", "number of lamps", "Number of lamps",
                   &lamps) ||
      !reportToken("Lumens per lamp: ", "lumens per lamp", "Lumens per lamp",
                   &lumens) ||
      !keptReal("candela multiplier", "Candela multiplier", &shownMultiplier,
                multiplier))
    return false;
  if (lamps > 0 && lumens > 0) *lampFlux = lamps * lumens;
  console_ << "Candela multiplier: " << shownMultiplier << std::endl;
  return reportCount("Vertical angles: ", "number of vertical angles",
                     "Number of vertical angles", verticalCount) &&
         reportCount("Horizontal angles: ", "number of horizontal angles",
                     "Number of horizontal angles", horizontalCount) &&
         reportInteger("Photometric type: ", "photometric type",
                       "Photometric type", photometricType) &&
         reportToken("Units type: ", "units type", "Units type") &&
         luminousOpening() &&
         reportToken("Ballast factor: ", "ballast factor", "Ballast factor") &&
         reportToken("Ballast-Lamp Photometric Factor: ",
                     "ballast-lamp photometric factor",
                     "Ballast-lamp photometric factor") &&
         reportToken("Input Watts: ", "input watts", "Input watts", inputWatts);
}

bool IesWalk::luminousOpening() {
  float width = 0, length = 0, height = 0;
  if (!keptReal("luminous opening width", "Width of opening", &width) ||
      !keptReal("luminous opening length", "Length of opening", &length) ||
      !keptReal("luminous opening height", "Height of opening", &height))
    return false;
  console_ << "Luminous opening dimensions:" << std::endl;
  console_ << "(Width, Length, Height) = (" << width << ", " << length << ", "
           << height << ")\n";
  console_ << "Lamp Geometry: (not implemented)" << std::endl;
  return true;
}

bool IesWalk::verticalAngles(int count, std::vector<float>* angles,
                             std::vector<float>* fileAngles) {
  console_ << "Vertical angles map: " << std::endl;
  for (int i = 0; i < count; ++i) {
    if (!listValue("vertical angles", angles)) return false;
  }
  console_ << std::endl;
  *fileAngles = *angles;
  shiftVerticalAngles(angles, console_);
  return true;
}

bool IesWalk::horizontalAngles(int count, std::vector<float>* angles) {
  console_ << "Horizontal angles map: " << std::endl;
  for (int i = 0; i < count; ++i) {
    if (!listValue("horizontal angles", angles)) return false;
  }
  if (count == 1) {
    angles->push_back(180);
    console_ << angles->back() << ", ";
  }
  console_ << std::endl;
  return true;
}

bool IesWalk::candelaGrid(int angleCount, std::size_t planes, bool mirrored,
                          std::vector<std::vector<float>>* grid) {
  // Rows grow only as values are actually read, beyond room for 4096 made
  // at the start, so a file that claims more values than it holds fails
  // before it can claim the memory for them.
  for (std::size_t plane = 0; plane < planes; ++plane) {
    if (mirrored && plane + 1 == planes) {
      grid->push_back(grid->back());
      break;
    }
    std::vector<float>& row = grid->emplace_back();
    // Room for a row of any real file at once; a longer one grows as read.
    row.reserve(static_cast<std::size_t>(std::min(angleCount, 4096)));
    for (int i = 0; i < angleCount; ++i) {
      float value = 0;
      if (!real("candela values", &value)) return false;
      row.push_back(value);
    }
  }
  return true;
}

std::size_t IesWalk::valuesAfterGrid() {
  std::size_t count = 0;
  float value = 0;
  while (reader_.readReal(&value)) ++count;
  return count;
}

// Reads one value of an angle list and prints it on the open value line; a
// failed read ends that line before the reason is printed.
bool IesWalk::listValue(const char* item, std::vector<float>* values) {
  float value = 0;
  if (!reader_.readReal(&value)) {
    console_ << std::endl;
    return invalid(item);
  }
  values->push_back(value);
  console_ << value << ", ";
  return true;
}

// A header value read as a token: reported as the file writes it, and kept
// as a number when the whole token is one, in `number` too.
bool IesWalk::reportToken(const char* label, const char* item,
                          const char* headerLabel, double* number) {
  if (!keptToken(item, headerLabel)) return false;
  console_ << label << token_ << std::endl;
  if (number && items_.lastIsNumber()) *number = items_.lastNumber();
  return true;
}

bool IesWalk::reportInteger(const char* label, const char* item,
                            const char* headerLabel, int* value) {
  if (!integer(item, value)) return false;
  items_.number(headerLabel, *value);
  console_ << label << *value << std::endl;
  return true;
}

// An angle count: reported as read, then refused when negative.
bool IesWalk::reportCount(const char* label, const char* item,
                          const char* headerLabel, int* count) {
  if (!reportInteger(label, item, headerLabel, count)) return false;
  if (*count >= 0) return true;
  console_ << "IES data invalid: " << item << " is negative!" << std::endl;
  return false;
}

bool IesWalk::keptToken(const char* item, const char* headerLabel) {
  if (!token(item, &token_)) return false;
  double number = 0;
  const bool isNumber = iesNumber(token_, &number);
  items_.add(headerLabel, token_, isNumber, number);
  return true;
}

bool IesWalk::keptReal(const char* item, const char* headerLabel, float* value,
                       double* exact) {
  double number = 0;
  if (!real(item, value, &number)) return false;
  items_.number(headerLabel, number);
  if (exact) *exact = number;
  return true;
}

bool IesWalk::token(const char* item, std::string* value) {
  return reader_.readToken(value) || invalid(item);
}

bool IesWalk::integer(const char* item, int* value) {
  return reader_.readInteger(value) || invalid(item);
}

bool IesWalk::real(const char* item, float* value, double* exact) {
  return reader_.readReal(value, exact) || invalid(item);
}

bool IesWalk::invalid(const char* item) {
  console_ << "IES data invalid: " << item << " missing or not a number!"
           << std::endl;
  return false;
}

}  // namespace

bool readIes(const std::string& path, std::ostream& console,
             PhotometricData* record) {
  IesReader reader;
  if (!reader.open(path)) {
    console << "Could not open IES file!" << std::endl;
    return false;
  }
  HeaderItems items;
  IesWalk walk(reader, console, items);
  int vertical = 0, horizontal = 0, type = 0;
  double multiplier = 0, lampFlux = 0, inputWatts = 0;
  std::vector<float> verticalList, fileVerticalList, horizontalList;
  std::vector<std::vector<float>> grid;
  if (!walk.tiltLine() ||
      !walk.header(&vertical, &horizontal, &type, &multiplier, &lampFlux,
                   &inputWatts) ||
      !walk.verticalAngles(vertical, &verticalList, &fileVerticalList) ||
      !walk.horizontalAngles(horizontal, &horizontalList) ||
      !walk.candelaGrid(vertical, horizontalList.size(), horizontal == 1,
                        &grid))
    return false;
  record->valuesAfterGrid = walk.valuesAfterGrid();
  record->verticalAngles = std::move(verticalList);
  record->fileVerticalAngles = std::move(fileVerticalList);
  record->fileHorizontalAngles.assign(horizontalList.begin(),
                                      horizontalList.begin() + horizontal);
  record->horizontalAngles = std::move(horizontalList);
  record->candela = std::move(grid);
  record->photometricType = type;
  record->format = PhotometricData::Format::ies;
  record->widened = horizontal == 1;
  record->candelaMultiplier = multiplier;
  record->lampFlux = lampFlux;
  record->inputPower = inputWatts;
  items.moveTo(record);
  return true;
}
