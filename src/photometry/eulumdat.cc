// The EULUMDAT half of PhotometricData::parse: a walk over the file's lines
// in their own order, reporting as the IES half does.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "photometry/angle_lists.h"
#include "photometry/ldt_reader.h"
#include "photometry/photometric_data.h"

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
  LdtWalk(LdtReader& reader, std::ostream& console)
      : reader_(reader), console_(console) {}

  // Reads and checks lines 1 to 26 + 6n.
  bool header(LdtHeader* header);

  // Prints the header as the IES report prints its own.
  void report(const LdtHeader& header);

  // Passes over the direct ratios, then reads the C angles and the gamma
  // angles.
  bool angleLists(const LdtHeader& header, std::vector<float>* cAngles,
                  std::vector<float>* gammaAngles);

  // Reads the intensities of the stored planes, one row a plane, in file
  // order.
  bool intensities(const LdtHeader& header, Grid* grid);

 private:
  bool symmetryIndicator(int* symmetry);
  bool cPlaneCount(int symmetry, int* planes);
  bool lampSet(LdtHeader* header);
  bool count(const char* item, int* value);
  bool reals(const char* item, std::int64_t count, std::vector<float>* values);
  bool integer(const char* item, int* value);
  bool real(const char* item, float* value);
  bool invalid(const char* item);
  bool refuse(const char* item, const char* rule);

  LdtReader& reader_;
  std::ostream& console_;
};

bool LdtWalk::header(LdtHeader* header) {
  reader_.skipLines(2);  // company, Ityp
  if (!symmetryIndicator(&header->symmetry) ||
      !cPlaneCount(header->symmetry, &header->cPlaneCount))
    return false;
  reader_.skipLines(1);  // Dc
  if (!count("number of gamma angles", &header->gammaCount)) return false;
  // Dg; report number, luminaire name and number, file name, date and
  // user; the luminaire's length, width and height.
  reader_.skipLines(1 + 5 + 3);
  if (!real("luminous area length", &header->areaLength) ||
      !real("luminous area width", &header->areaWidth) ||
      !real("luminous area height", &header->areaHeight))
    return false;
  // Heights in the C90, C180 and C270 planes; downward flux fraction,
  // light output ratio.
  reader_.skipLines(3 + 2);
  if (!real("conversion factor", &header->conversionFactor)) return false;
  reader_.skipLines(1);  // tilt during measurement
  if (!count("number of lamp sets", &header->lampSets) || !lampSet(header))
    return false;
  reader_.skipLines(6 * (static_cast<std::int64_t>(header->lampSets) - 1));
  return true;
}

bool LdtWalk::symmetryIndicator(int* symmetry) {
  if (!integer("symmetry indicator", symmetry)) return false;
  if (*symmetry >= 0 && *symmetry <= 4) return true;
  return refuse("symmetry indicator", "must be 0 to 4!");
}

// Mc, which the symmetry divides into the stored planes.
bool LdtWalk::cPlaneCount(int symmetry, int* planes) {
  if (!count("number of C-planes", planes)) return false;
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
  if (!integer("number of lamps", &header->lamps)) return false;
  reader_.skipLines(1);  // lamp type
  if (!real("luminous flux", &header->flux)) return false;
  reader_.skipLines(2);  // colour appearance, colour rendering
  return real("wattage", &header->wattage);
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
  reader_.skipLines(10);  // direct ratios for room indices 0.6 to 5
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
    if (!real(item, &value)) return false;
    values->push_back(value);
  }
  return true;
}

// Mc, Ng or n: at least 1.
bool LdtWalk::count(const char* item, int* value) {
  if (!integer(item, value)) return false;
  return *value >= 1 || refuse(item, "must be at least 1!");
}

bool LdtWalk::integer(const char* item, int* value) {
  return reader_.readInteger(value) || invalid(item);
}

bool LdtWalk::real(const char* item, float* value) {
  return reader_.readReal(value) || invalid(item);
}

bool LdtWalk::invalid(const char* item) {
  return refuse(item, "missing or not a number!");
}

bool LdtWalk::refuse(const char* item, const char* rule) {
  console_ << "EULUMDAT data invalid: " << item << ' ' << rule << std::endl;
  return false;
}

}  // namespace

bool PhotometricData::parseEulumdat(const std::string& path,
                                    std::ostream& console) {
  LdtReader reader;
  if (!reader.open(path)) {
    console << "Could not open EULUMDAT file!" << std::endl;
    return false;
  }
  console << "EULUMDAT file." << std::endl;
  LdtWalk walk(reader, console);
  LdtHeader header;
  if (!walk.header(&header)) return false;
  walk.report(header);
  std::vector<float> cAngles, gammaAngles;
  if (!walk.angleLists(header, &cAngles, &gammaAngles)) return false;

  printAngleMap("Vertical angles map: ", gammaAngles, console);
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
  fill(std::move(gammaAngles), std::move(planeAngles), std::move(grid), 1);
  return true;
}
