#include "photometry/photometric_data.h"

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

 private:
  bool includedTiltData();
  bool luminousOpening();

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

}  // namespace

bool PhotometricData::parse(const std::string& path, std::ostream& console) {
  IesReader reader;
  if (!reader.open(path)) {
    console << "Could not open IES file!" << std::endl;
    return false;
  }
  IesWalk walk(reader, console);
  int vertical = 0, horizontal = 0, type = 0;
  if (!walk.tiltLine() || !walk.header(&vertical, &horizontal, &type))
    return false;
  verticalCount = vertical;
  horizontalCount = horizontal;
  photometricType = type;
  return true;
}
