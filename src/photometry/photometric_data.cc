#include "photometry/photometric_data.h"

#include <algorithm>
#include <utility>

#include "photometry/angle_lists.h"
#include "photometry/file_path.h"
#include "photometry/ies_reader.h"

namespace {

// Walks one IES file field by field, in the file's own order, printing the
// report as it goes. Every read is checked: the first one that fails prints
// the reason and ends the walk, so a broken file is never reported as read.
class IesWalk {
 public:
  IesWalk(IesReader& reader, std::ostream& console)
      : reader_(reader), console_(console) {}

  // Skips the format and keyword lines up to the first token that holds
  // "TILT=", and any tilt data that the file holds itself.
  bool tiltLine();

  // Reads and reports the thirteen header values that follow the tilt line.
  bool header(int* verticalCount, int* horizontalCount, int* photometricType);

  // Reads and reports `count` vertical angles, then shifts a list that
  // starts above 0 to start at 0.
  bool verticalAngles(int count, std::vector<float>* angles);

  // Reads and reports `count` horizontal angles; a single plane is widened
  // to two, the second at 180 degrees.
  bool horizontalAngles(int count, std::vector<float>* angles);

  // Reads the candela values plane by plane, `angleCount` to a plane, one
  // row for each of `planes`. When `mirrored`, the last plane is not read
  // but copied from the one before.
  bool candelaGrid(int angleCount, std::size_t planes, bool mirrored,
                   std::vector<std::vector<float>>* grid);

 private:
  bool includedTiltData();
  bool luminousOpening();
  bool listValue(const char* item, std::vector<float>* values);

  bool reportToken(const char* label, const char* item);
  bool reportInteger(const char* label, const char* item, int* value);
  bool reportCount(const char* label, const char* item, int* count);
  bool token(const char* item, std::string* value);
  bool integer(const char* item, int* value);
  bool real(const char* item, float* value);
  bool invalid(const char* item);

  IesReader& reader_;
  std::ostream& console_;
  std::string token_;
};

bool IesWalk::tiltLine() {
  do {
    if (!reader_.readToken(&token_)) {
      console_ << "Tilt data not found IES invalid!" << std::endl;
      return false;
    }
  } while (token_.find("TILT=") == std::string::npos);

  if (token_ == "TILT=INCLUDE") return includedTiltData();
  if (token_ == "TILT=NONE") {
    console_ << "No tilt data." << std::endl;
  } else {
    // TILT=<file name>: the tilt data lives in a file of its own, not read.
    console_ << "Tilt data in another file." << std::endl;
  }
  return true;
}

bool IesWalk::includedTiltData() {
  console_ << "Tilt data included in IES file. Skipping..." << std::endl;
  int angleCount = 0;
  if (!token("tilt data", &token_)) return false;  // lamp-to-luminaire geometry
  if (!integer("tilt data", &angleCount)) return false;
  // The tilt angles, then as many multiplying factors, over any lines.
  for (int i = 0; i < angleCount; ++i) {
    if (!token("tilt data", &token_) || !token("tilt data", &token_))
      return false;
  }
  console_ << "Tilt data skipped" << std::endl;
  return true;
}

bool IesWalk::header(int* verticalCount, int* horizontalCount,
                     int* photometricType) {
  float multiplier = 0;
  *photometricType = 0;
  if (!reportToken("Number of lamps: ", "number of lamps") ||
      !reportToken("Lumens per lamp: ", "lumens per lamp") ||
      !real("candela multiplier", &multiplier))
    return false;
  console_ << "Candela multiplier: " << multiplier << std::endl;
  return reportCount("Vertical angles: ", "number of vertical angles",
                     verticalCount) &&
         reportCount("Horizontal angles: ", "number of horizontal angles",
                     horizontalCount) &&
         reportInteger("Photometric type: ", "photometric type",
                       photometricType) &&
         reportToken("Units type: ", "units type") && luminousOpening() &&
         reportToken("Ballast factor: ", "ballast factor") &&
         reportToken("Ballast-Lamp Photometric Factor: ",
                     "ballast-lamp photometric factor") &&
         reportToken("Input Watts: ", "input watts");
}

bool IesWalk::luminousOpening() {
  float width = 0, length = 0, height = 0;
  if (!real("luminous opening width", &width) ||
      !real("luminous opening length", &length) ||
      !real("luminous opening height", &height))
    return false;
  console_ << "Luminous opening dimensions:" << std::endl;
  console_ << "(Width, Length, Height) = (" << width << ", " << length << ", "
           << height << ")\n";
  console_ << "Lamp Geometry: (not implemented)" << std::endl;
  return true;
}

bool IesWalk::verticalAngles(int count, std::vector<float>* angles) {
  console_ << "Vertical angles map: " << std::endl;
  for (int i = 0; i < count; ++i) {
    if (!listValue("vertical angles", angles)) return false;
  }
  console_ << std::endl;
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

bool IesWalk::reportToken(const char* label, const char* item) {
  if (!token(item, &token_)) return false;
  console_ << label << token_ << std::endl;
  return true;
}

bool IesWalk::reportInteger(const char* label, const char* item, int* value) {
  if (!integer(item, value)) return false;
  console_ << label << *value << std::endl;
  return true;
}

// An angle count: reported as read, then refused when negative.
bool IesWalk::reportCount(const char* label, const char* item, int* count) {
  if (!reportInteger(label, item, count)) return false;
  if (*count >= 0) return true;
  console_ << "IES data invalid: " << item << " is negative!" << std::endl;
  return false;
}

bool IesWalk::token(const char* item, std::string* value) {
  return reader_.readToken(value) || invalid(item);
}

bool IesWalk::integer(const char* item, int* value) {
  return reader_.readInteger(value) || invalid(item);
}

bool IesWalk::real(const char* item, float* value) {
  return reader_.readReal(value) || invalid(item);
}

bool IesWalk::invalid(const char* item) {
  console_ << "IES data invalid: " << item << " missing or not a number!"
           << std::endl;
  return false;
}

// True for a name that ends in ".ldt", in any case, as the system opens it.
bool namesEulumdatFile(const std::string& path) {
  const std::string name = nameAsOpened(path);
  const std::string extension = ".ldt";
  if (name.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(),
                    name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char wanted, char c) {
                      return wanted ==
                             (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                    });
}

}  // namespace

bool PhotometricData::parse(const std::string& path, std::ostream& console) {
  return namesEulumdatFile(path) ? parseEulumdat(path, console)
                                 : parseIes(path, console);
}

bool PhotometricData::parseIes(const std::string& path, std::ostream& console) {
  IesReader reader;
  if (!reader.open(path)) {
    console << "Could not open IES file!" << std::endl;
    return false;
  }
  IesWalk walk(reader, console);
  int vertical = 0, horizontal = 0, type = 0;
  std::vector<float> verticalList, horizontalList;
  std::vector<std::vector<float>> grid;
  if (!walk.tiltLine() || !walk.header(&vertical, &horizontal, &type) ||
      !walk.verticalAngles(vertical, &verticalList) ||
      !walk.horizontalAngles(horizontal, &horizontalList) ||
      !walk.candelaGrid(vertical, horizontalList.size(), horizontal == 1,
                        &grid))
    return false;
  fill(std::move(verticalList), std::move(horizontalList), std::move(grid),
       type);
  return true;
}

// Only a file read to its last value fills the record.
void PhotometricData::fill(std::vector<float> vertical,
                           std::vector<float> horizontal,
                           std::vector<std::vector<float>> grid, int type) {
  verticalAngles = std::move(vertical);
  horizontalAngles = std::move(horizontal);
  candela = std::move(grid);
  verticalCount = static_cast<int>(verticalAngles.size());
  horizontalCount = static_cast<int>(horizontalAngles.size());
  photometricType = type;
}
