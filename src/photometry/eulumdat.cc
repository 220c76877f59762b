// The EULUMDAT half of PhotometricData::parse: a walk over the file's lines
// in their own order, reporting as the IES half does.
#include "photometry/eulumdat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "photometry/angle_lists.h"
#include "photometry/header_items.h"
#include "photometry/ldt_reader.h"

namespace {

using Grid = std::vector<std::vector<float>>;

// What the report and the grid need of lines 1 to 26 + 6n. Of several lamp
// sets, which are alternatives, the first describes the luminaire.
struct LdtHeader {
  int symmetry = 0;            // Isym, line 3
  int cPlaneCount = 0;         // Mc, line 4: over the whole circle
  int gammaCount = 0;          // Ng, line 6
  float areaLength = 0;        // line 16, mm: the length or the diameter
  float areaWidth = 0;         // line 17, mm: 0 for a round area
  float areaHeight = 0;        // line 18, mm: in the C0 plane
  float conversionFactor = 0;  // line 24
  int lampSets = 0;            // n, line 26
  int lamps = 0;               // set 1: negative for absolute photometry
  float flux = 0;              // set 1, lm: the whole set's
  float wattage = 0;           // set 1, W
  // As the file's text gives them, at full precision.
  double exactConversionFactor = 0;
  double exactFlux = 0;
  bool hasOutputRatio = false;  // line 23, when it holds a number
  double outputRatio = 0;
  bool hasDownwardFraction = false;  // line 22, when it holds a number
  double downwardFraction = 0;
  double exactWattage = 0;

  // P: the planes whose intensities the file holds; symmetry repeats the
  // others.
  int storedPlanes() const {
    switch (symmetry) {
      case 1:
        return 1;
      case 2:
      case 3:
        return cPlaneCount / 2 + 1;
      case 4:
        return cPlaneCount / 4 + 1;
      default:
        return cPlaneCount;
    }
  }

  // Where in the C angle list the grid's first plane stands. The planes of
  // a file symmetric about C90-C270 are stored from C270 on, wrapping past
  // C0 to C90: reversed, they are C90 ... C270 in ascending order.
  int firstPlaneIndex() const { return symmetry == 3 ? cPlaneCount / 4 : 0; }
};

// A double as the report prints it: never "-0".
double shown(double value) { return value + 0.0; }

class LdtWalk {
 public:
  LdtWalk(LdtReader& reader, std::ostream& console, HeaderItems& items)
      : reader_(reader), console_(console), items_(items) {}

  // Reads and checks lines 1 to 26 + 6n.
  bool header(LdtHeader* header);

  // Prints the header as the IES report prints its own.
  void report(const LdtHeader& header);

  // Reads the direct ratios, then the C angles and the gamma angles.
  bool angleLists(const LdtHeader& header, std::vector<float>* cAngles,
                  std::vector<float>* gammaAngles);

  // Reads the intensities of the stored planes, one row a plane, in file
  // order.
  bool intensities(const LdtHeader& header, Grid* grid);

  // Whether a line kept as read held a number with a decimal comma.
  bool decimalCommas() const { return decimalCommas_; }

 private:
  bool symmetryIndicator(int* symmetry);
  bool cPlaneCount(int symmetry, int* planes);
  bool lampSet(LdtHeader* header);
  void otherLampSets(int count);
  bool count(const char* item, const char* label, int* value);
  bool reals(const char* item, std::int64_t count, std::vector<float>* values);
  bool integer(const char* item, const char* label, int* value);
  bool real(const char* item, const char* label, float* value,
            double* exact = nullptr);
  void text(const std::string& label);
  void number(const std::string& label, bool* isNumber = nullptr,
              double* value = nullptr);
  bool invalid(const char* item);
  bool refuse(const char* item, const char* rule);

  LdtReader& reader_;
  std::ostream& console_;
  HeaderItems& items_;
  bool decimalCommas_ = false;
};

// The room indices of the ten direct ratios.
const char* const kRoomIndices[] = {"0.6", "0.8", "1.0", "1.25", "1.5",
                                    "2.0", "2.5", "3.0", "4.0",  "5.0"};

// Lines the report does not need are kept for the workbook, numbers or
// text as they come; those it needs must hold their number.
bool LdtWalk::header(LdtHeader* header) {
  text("Company / data bank");
  number("Ityp (type indicator)");
  if (!symmetryIndicator(&header->symmetry) ||
      !cPlaneCount(header->symmetry, &header->cPlaneCount))
    return false;
  number("Dc (distance between C-planes)");
  if (!count("number of gamma angles", "Ng (number of gamma angles)",
             &header->gammaCount))
    return false;
  number("Dg (distance between gamma angles)");
  text("Measurement report number");
  text("Luminaire name");
  text("Luminaire number");
  text("File name");
  text("Date / user");
  number("Length or diameter of luminaire (mm)");
  number("Width of luminaire (mm)");
  number("Height of luminaire (mm)");
  if (!real("luminous area length", "Length or diameter of luminous area (mm)",
            &header->areaLength) ||
      !real("luminous area width", "Width of luminous area (mm)",
            &header->areaWidth) ||
      !real("luminous area height", "Height of luminous area C0 (mm)",
            &header->areaHeight))
    return false;
  number("Height of luminous area C90 (mm)");
  number("Height of luminous area C180 (mm)");
  number("Height of luminous area C270 (mm)");
  number("Downward flux fraction (%)", &header->hasDownwardFraction,
         &header->downwardFraction);
  number("Light output ratio of luminaire (%)", &header->hasOutputRatio,
         &header->outputRatio);
  if (!real("conversion factor", "Conversion factor for intensities",
            &header->conversionFactor, &header->exactConversionFactor))
    return false;
  number("Tilt of luminaire during measurement (°)");
  if (!count("number of lamp sets", "n (number of standard sets of lamps)",
             &header->lampSets) ||
      !lampSet(header))
    return false;
  otherLampSets(header->lampSets - 1);
  return true;
}

bool LdtWalk::symmetryIndicator(int* symmetry) {
  if (!integer("symmetry indicator", "Isym (symmetry indicator)", symmetry))
    return false;
  if (*symmetry >= 0 && *symmetry <= 4) return true;
  return refuse("symmetry indicator", "must be 0 to 4!");
}

// Mc, which the symmetry divides into the stored planes.
bool LdtWalk::cPlaneCount(int symmetry, int* planes) {
  if (!count("number of C-planes", "Mc (number of C-planes)", planes))
    return false;
  if (symmetry == 2 && *planes % 2 != 0)
    return refuse("number of C-planes",
                  "must be a multiple of 2 for this symmetry!");
  if ((symmetry == 3 || symmetry == 4) && *planes % 4 != 0)
    return refuse("number of C-planes",
                  "must be a multiple of 4 for this symmetry!");
  return true;
}

// The first lamp set's six lines.
bool LdtWalk::lampSet(LdtHeader* header) {
  if (!integer("number of lamps", "Set 1: number of lamps", &header->lamps))
    return false;
  text("Set 1: type of lamps");
  if (!real("luminous flux", "Set 1: total luminous flux of lamps (lm)",
            &header->flux, &header->exactFlux))
    return false;
  text("Set 1: colour appearance");
  text("Set 1: colour rendering group");
  return real("wattage", "Set 1: wattage including ballast (W)",
              &header->wattage, &header->exactWattage);
}

// The lines of the sets after the first, which are alternatives: kept for
// the workbook, numbers where they hold one, and never refused. The walk
// takes as many as the file holds, and keeps them while there is room.
void LdtWalk::otherLampSets(int count) {
  for (int set = 2; set <= count + 1; ++set) {
    if (reader_.atEnd()) return;
    const std::string prefix = "Set " + std::to_string(set) + ": ";
    number(prefix + "number of lamps");
    text(prefix + "type of lamps");
    number(prefix + "total luminous flux of lamps (lm)");
    text(prefix + "colour appearance");
    text(prefix + "colour rendering group");
    number(prefix + "wattage including ballast (W)");
  }
}

void LdtWalk::report(const LdtHeader& header) {
  const double flux = header.flux;
  double lumensPerLamp = flux;
  if (header.lamps < 0) {
    lumensPerLamp = -1;  // absolute photometry, as IES writes it
  } else if (header.lamps > 0) {
    lumensPerLamp = flux / header.lamps;
  }
  // The intensities are per 1000 lm of the lamps: scaled by the flux, a
  // table value times the multiplier is candela, as for IES.
  const double multiplier = double{header.conversionFactor} * flux / 1000;
  double width = header.areaWidth / 1000.0;
  double length = header.areaLength / 1000.0;
  if (header.areaWidth == 0 && header.areaLength > 0) {
    width = length = -length;  // a round area, as IES writes a round opening
  }
  console_ << "Number of lamps: " << std::abs(header.lamps) << std::endl;
  console_ << "Lumens per lamp: " << shown(lumensPerLamp) << std::endl;
  console_ << "Candela multiplier: " << shown(multiplier) << std::endl;
  console_ << "Vertical angles: " << header.gammaCount << std::endl;
  console_ << "Horizontal angles: " << header.storedPlanes() << std::endl;
  console_ << "Photometric type: 1" << std::endl;
  console_ << "Units type: 2" << std::endl;
  console_ << "Luminous opening dimensions:" << std::endl;
  console_ << "(Width, Length, Height) = (" << shown(width) << ", "
           << shown(length) << ", " << shown(header.areaHeight / 1000.0)
           << ")\n";
  console_ << "Lamp Geometry: (not implemented)" << std::endl;
  console_ << "Ballast factor: 1" << std::endl;
  console_ << "Ballast-Lamp Photometric Factor: 1" << std::endl;
  console_ << "Input Watts: " << shown(header.wattage) << std::endl;
}

bool LdtWalk::angleLists(const LdtHeader& header, std::vector<float>* cAngles,
                         std::vector<float>* gammaAngles) {
  for (const char* const roomIndex : kRoomIndices)
    number(std::string("Direct ratio for room index k = ") + roomIndex);
  return reals("C angle", header.cPlaneCount, cAngles) &&
         reals("gamma angle", header.gammaCount, gammaAngles);
}

bool LdtWalk::intensities(const LdtHeader& header, Grid* grid) {
  for (int plane = 0; plane < header.storedPlanes(); ++plane) {
    if (!reals("intensity", header.gammaCount, &grid->emplace_back()))
      return false;
  }
  return true;
}

// Reads `count` reals into `values`. They grow only as values are actually
// read, beyond room for 4096 made at the start, so that a count far beyond
// what the file holds fails before it can claim the memory for them.
bool LdtWalk::reals(const char* item, std::int64_t count,
                    std::vector<float>* values) {
  values->reserve(
      static_cast<std::size_t>(std::min<std::int64_t>(count, 4096)));
  for (std::int64_t i = 0; i < count; ++i) {
    float value = 0;
    if (!reader_.readReal(&value)) return invalid(item);
    values->push_back(value);
  }
  return true;
}

// Mc, Ng or n: at least 1.
bool LdtWalk::count(const char* item, const char* label, int* value) {
  if (!integer(item, label, value)) return false;
  return *value >= 1 || refuse(item, "must be at least 1!");
}

bool LdtWalk::integer(const char* item, const char* label, int* value) {
  if (!reader_.readInteger(value)) return invalid(item);
  items_.number(label, *value);
  return true;
}

bool LdtWalk::real(const char* item, const char* label, float* value,
                   double* exact) {
  double number = 0;
  if (!reader_.readReal(value, &number)) return invalid(item);
  items_.number(label, number);
  if (exact) *exact = number;
  return true;
}

// A text line; at the end of the file, an empty one.
void LdtWalk::text(const std::string& label) {
  std::string line;
  reader_.readText(&line);
  items_.add(label, std::move(line), false, 0);
}

// A line that holds a number in a sound file, kept as text when it holds
// none.
void LdtWalk::number(const std::string& label, bool* isNumber, double* value) {
  std::string line;
  reader_.readText(&line);
  double parsed = 0;
  const bool numeric = ldtNumber(line, &parsed);
  if (numeric && line.find(',') != std::string::npos) decimalCommas_ = true;
  items_.add(label, std::move(line), numeric, parsed);
  if (isNumber) *isNumber = numeric;
  if (value) *value = parsed;
}

bool LdtWalk::invalid(const char* item) {
  return refuse(item, "missing or not a number!");
}

bool LdtWalk::refuse(const char* item, const char* rule) {
  console_ << "EULUMDAT data invalid: " << item << ' ' << rule << std::endl;
  return false;
}

}  // namespace

bool readEulumdat(const std::string& path, std::ostream& console,
                  PhotometricData* record) {
  LdtReader reader;
  if (!reader.open(path)) {
    console << "Could not open EULUMDAT file!" << std::endl;
    return false;
  }
  console << "EULUMDAT file." << std::endl;
  HeaderItems items;
  LdtWalk walk(reader, console, items);
  LdtHeader header;
  if (!walk.header(&header)) return false;
  walk.report(header);
  std::vector<float> cAngles, gammaAngles;
  if (!walk.angleLists(header, &cAngles, &gammaAngles)) return false;

  printAngleMap("Vertical angles map: ", gammaAngles, console);
  std::vector<float> fileGammaAngles = gammaAngles;
  shiftVerticalAngles(&gammaAngles, console);
  const auto firstPlane = cAngles.begin() + header.firstPlaneIndex();
  std::vector<float> planeAngles(firstPlane,
                                 firstPlane + header.storedPlanes());
  if (planeAngles.size() == 1) planeAngles.push_back(180);
  printAngleMap("Horizontal angles map: ", planeAngles, console);

  Grid grid;
  if (!walk.intensities(header, &grid)) return false;
  if (header.symmetry == 3) std::reverse(grid.begin(), grid.end());
  if (grid.size() == 1) grid.push_back(grid.front());

  record->verticalAngles = std::move(gammaAngles);
  record->fileVerticalAngles = std::move(fileGammaAngles);
  record->fileHorizontalAngles = std::move(cAngles);
  record->horizontalAngles = std::move(planeAngles);
  record->candela = std::move(grid);
  record->photometricType = 1;
  record->format = PhotometricData::Format::eulumdat;
  record->symmetry = header.symmetry;
  record->widened = header.storedPlanes() == 1;
  // The intensities are per 1000 lm of the lamps.
  record->candelaMultiplier =
      header.exactConversionFactor * header.exactFlux / 1000;
  if (header.exactFlux > 0 && header.lamps >= 0)
    record->lampFlux = header.exactFlux;
  record->hasDeclaredOutputRatio = header.hasOutputRatio;
  record->declaredOutputRatio = header.outputRatio;
  record->hasDeclaredDownwardFraction = header.hasDownwardFraction;
  record->declaredDownwardFraction = header.downwardFraction;
  record->inputPower = header.exactWattage;
  record->decimalCommas = walk.decimalCommas() || reader.decimalCommas();
  items.moveTo(record);
  return true;
}
