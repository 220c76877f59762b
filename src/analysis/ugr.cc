#include "analysis/ugr.h"

#include <cmath>

#include "analysis/ugr_tables.h"

const int kUgrRoomSizes[kUgrRooms][2] = {
    {2, 2}, {2, 3},  {2, 4},  {2, 6},  {2, 8},  {2, 12}, {4, 2},
    {4, 3}, {4, 4},  {4, 6},  {4, 8},  {4, 12}, {8, 4},  {8, 6},
    {8, 8}, {8, 12}, {12, 4}, {12, 6}, {12, 8}};
const double kUgrReflectanceSets[kUgrReflectances][3] = {{0.7, 0.5, 0.2},
                                                         {0.7, 0.3, 0.2},
                                                         {0.5, 0.5, 0.2},
                                                         {0.5, 0.3, 0.2},
                                                         {0.3, 0.3, 0.2}};

namespace {

constexpr double kPi = 3.14159265358979323846;
// The height of the luminaires' plane above the eye, and their spacing.
constexpr double kHeight = 2;
constexpr double kSpacing = 0.25 * kHeight;

double radians(double degrees) { return degrees * kPi / 180; }
double degrees(double radians) { return radians * 180 / kPi; }

// A number of the file's header, 0 when it holds none.
double headerNumber(const PhotometricData& record, const char* label) {
  const HeaderItem* const item = record.headerItem(label);
  return item && item->isNumber ? item->number : 0;
}

// What the method takes from the file.
struct Luminaire {
  double lampFlux = 0;     // lm, Φ_L
  double ratio = 0;        // η, %
  bool hasRatio = false;   // a number above 0 on line 23, or absolute
  double length = 0;       // m, along C90-C270; the diameter of a circle
  double width = 0;        // m, along C0-C180; 0 for a circle
  double heights[4] = {};  // m, the side faces at C0, C90, C180, C270
};

Luminaire luminaireOf(const PhotometricData& record) {
  Luminaire luminaire;
  luminaire.lampFlux =
      headerNumber(record, "Set 1: total luminous flux of lamps (lm)");
  const HeaderItem* const ratio =
      record.headerItem("Light output ratio of luminaire (%)");
  if (headerNumber(record, "Set 1: number of lamps") < 0) {
    // Absolute photometry: the flux is the luminaire's own.
    luminaire.ratio = 100;
    luminaire.hasRatio = true;
  } else if (ratio && ratio->isNumber && ratio->number > 0) {
    luminaire.ratio = ratio->number;
    luminaire.hasRatio = true;
  }
  double length =
      headerNumber(record, "Length or diameter of luminous area (mm)");
  double width = headerNumber(record, "Width of luminous area (mm)");
  if (length == 0 && width == 0) {
    length = headerNumber(record, "Length or diameter of luminaire (mm)");
    width = headerNumber(record, "Width of luminaire (mm)");
  }
  luminaire.length = length / 1000;
  luminaire.width = width / 1000;
  const char* const heights[] = {
      "Height of luminous area C0 (mm)", "Height of luminous area C90 (mm)",
      "Height of luminous area C180 (mm)", "Height of luminous area C270 (mm)"};
  for (int i = 0; i < 4; ++i)
    luminaire.heights[i] = headerNumber(record, heights[i]) / 1000;
  return luminaire;
}

// Values at the nodes of the whole circle's grid, read at any (C, gamma)
// by bilinear interpolation: C around the circle, gamma held at its ends.
class CircleGrid {
 public:
  CircleGrid(const WholeCircle& circle, std::vector<std::vector<double>> nodes)
      : circle_(circle), nodes_(std::move(nodes)) {}

  double at(double c, double gamma) const {
    const PlanesAround around = planesAround(circle_, c);
    return (1 - around.share) * alongGamma(around.below, gamma) +
           around.share * alongGamma(around.above, gamma);
  }

 private:
  double alongGamma(std::size_t k, double gamma) const {
    const std::vector<double>& gammas = circle_.gammaAngles;
    const std::vector<double>& row = nodes_[k];
    if (gamma <= gammas.front()) return row.front();
    if (gamma >= gammas.back()) return row.back();
    std::size_t j = 0;
    while (gammas[j + 1] < gamma) ++j;
    const double share = (gamma - gammas[j]) / (gammas[j + 1] - gammas[j]);
    return row[j] + share * (row[j + 1] - row[j]);
  }

  const WholeCircle& circle_;
  const std::vector<std::vector<double>> nodes_;
};

// ∫ I sin(gamma) dgamma over [a, b] in radians, I linear from ia to ib.
double zoneIntegral(double a, double b, double ia, double ib) {
  const double delta = b - a;
  if (delta <= 0) return 0;
  return ia * (std::cos(a) - std::cos(b)) +
         (ib - ia) / delta * (std::sin(b) - std::sin(a) - delta * std::cos(b));
}

// F(gamma) = 2 pi ∫ from 0 to gamma of the mean intensity over the planes,
// taken linear between the vertical angles.
double cumulativeFlux(const std::vector<double>& gammas,
                      const std::vector<double>& mean, double upTo) {
  double sum = 0;
  for (std::size_t j = 0; j + 1 < gammas.size(); ++j) {
    const double a = gammas[j], b = gammas[j + 1];
    if (a >= upTo) break;
    const double end = std::min(b, upTo);
    const double atEnd =
        mean[j] + (end - a) / (b - a) * (mean[j + 1] - mean[j]);
    sum += zoneIntegral(radians(a), radians(end), mean[j], atEnd);
  }
  return 2 * kPi * sum;
}

// The zonal factors of the room index k, between the table's rows.
void zonalFactors(double k, double factors[4]) {
  const std::size_t last = kZonalRows - 1;
  std::size_t row = 0;
  while (row + 1 < last && kZonalFactors[row + 1][0] <= k) ++row;
  double share = (k - kZonalFactors[row][0]) /
                 (kZonalFactors[row + 1][0] - kZonalFactors[row][0]);
  share = std::max(0.0, std::min(1.0, share));
  for (int n = 0; n < 4; ++n)
    factors[n] =
        kZonalFactors[row][n + 1] +
        share * (kZonalFactors[row + 1][n + 1] - kZonalFactors[row][n + 1]);
}

}  // namespace

namespace ugr {

bool positionIndex(double tOverR, double hOverR, double* p) {
  const double t = tOverR * 10, h = hOverR * 10;
  if (t < 0 || h < 0 || t > kGuthRows - 1 || h > kGuthColumns - 1) return false;
  const std::size_t i =
      std::min<std::size_t>(static_cast<std::size_t>(t), kGuthRows - 2);
  const std::size_t j =
      std::min<std::size_t>(static_cast<std::size_t>(h), kGuthColumns - 2);
  const double corners[4] = {kGuthIndex[i][j], kGuthIndex[i][j + 1],
                             kGuthIndex[i + 1][j], kGuthIndex[i + 1][j + 1]};
  for (const double corner : corners) {
    if (corner == kNone) return false;
  }
  const double ft = t - static_cast<double>(i), fh = h - static_cast<double>(j);
  *p = (1 - ft) * ((1 - fh) * corners[0] + fh * corners[1]) +
       ft * ((1 - fh) * corners[2] + fh * corners[3]);
  return true;
}

double projectedArea(double length, double width, const double heights[4],
                     double c, double gamma) {
  const double cosGamma = std::cos(radians(gamma));
  const double sinGamma = std::sin(radians(gamma));
  if (width == 0) {
    const double mean = (heights[0] + heights[1] + heights[2] + heights[3]) / 4;
    return kPi * length * length / 4 * cosGamma + length * mean * sinGamma;
  }
  const double cosC = std::cos(radians(c)), sinC = std::sin(radians(c));
  const double end = cosC >= 0 ? heights[0] : heights[2];
  const double side = sinC >= 0 ? heights[1] : heights[3];
  return length * width * cosGamma + sinGamma * (length * std::abs(cosC) * end +
                                                 width * std::abs(sinC) * side);
}

void transferFactors(double x, double y, const double reflectances[3],
                     double factors[3]) {
  const double x2 = x * x, y2 = y * y;
  const double floorToCeiling =
      2 / (kPi * x * y) *
      (0.5 * std::log((1 + x2) * (1 + y2) / (1 + x2 + y2)) +
       x * std::sqrt(1 + y2) * std::atan(x / std::sqrt(1 + y2)) +
       y * std::sqrt(1 + x2) * std::atan(y / std::sqrt(1 + x2)) -
       x * std::atan(x) - y * std::atan(y));
  const double floorToWalls = 1 - floorToCeiling;
  const double wallsToFloor = x * y * floorToWalls / (2 * (x + y));
  const double wallsToWalls = 1 - 2 * wallsToFloor;
  // Surfaces in the order floor, walls, ceiling; row: from.
  const double form[3][3] = {{0, floorToWalls, floorToCeiling},
                             {wallsToFloor, wallsToWalls, wallsToFloor},
                             {floorToCeiling, floorToWalls, 0}};
  const double rho[3] = {reflectances[2], reflectances[1], reflectances[0]};
  // A = I - (diag(rho) F)^T, then its inverse by cofactors.
  double a[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) a[i][j] = (i == j) - rho[j] * form[j][i];
  }
  const auto cofactor = [&a](int i, int j) {
    const int r0 = (i + 1) % 3, r1 = (i + 2) % 3, c0 = (j + 1) % 3,
              c1 = (j + 2) % 3;
    return a[r0][c0] * a[r1][c1] - a[r0][c1] * a[r1][c0];
  };
  const double determinant = a[0][0] * cofactor(0, 0) +
                             a[0][1] * cofactor(0, 1) +
                             a[0][2] * cofactor(0, 2);
  // T[W][j] = cofactor(j, W) / det.
  for (int j = 0; j < 3; ++j) factors[j] = cofactor(j, 1) / determinant;
}

}  // namespace ugr

bool ugrPossible(const PhotometricData& record, const WholeCircle& circle,
                 std::string* why) {
  if (record.format != PhotometricData::Format::eulumdat) {
    *why = "not an EULUMDAT file";
    return false;
  }
  if (!circle.typeC || circle.planeAngles.empty() ||
      circle.gammaAngles.size() < 2) {
    *why = "no intensities to compute it from";
    return false;
  }
  const Luminaire luminaire = luminaireOf(record);
  if (!(luminaire.length > 0) || luminaire.width < 0) {
    *why = "no luminous area";
    return false;
  }
  if (!(luminaire.lampFlux > 0)) {
    *why = "no lamp flux";
    return false;
  }
  return true;
}

UgrTable ugrTable(const PhotometricData& record, const WholeCircle& circle,
                  const std::vector<std::vector<double>>& values) {
  const Luminaire luminaire = luminaireOf(record);
  const double conversion =
      headerNumber(record, "Conversion factor for intensities");
  const std::vector<double>& planes = circle.planeAngles;
  const std::vector<double>& gammas = circle.gammaAngles;
  const std::size_t planeCount = planes.size();

  // Intensities in cd/klm on the whole circle, and their mean by the
  // trapezoid rule around it.
  std::vector<std::vector<double>> intensity(planeCount);
  std::vector<double> mean(gammas.size(), 0);
  for (std::size_t k = 0; k < planeCount; ++k) {
    for (const double value : values[circle.sourceRows[k]])
      intensity[k].push_back(value * conversion);
    const double weight = planeSpan(circle, k) / 360;
    for (std::size_t j = 0; j < gammas.size(); ++j)
      mean[j] += weight * intensity[k][j];
  }
  const double whole = cumulativeFlux(gammas, mean, 180) / 1000;
  const double normal =
      luminaire.hasRatio && whole > 0 ? luminaire.ratio / 100 / whole : 1;
  double zones[4];
  const double bounds[4] = {degrees(std::acos(0.75)), 60,
                            degrees(std::acos(0.25)), 90};
  for (int n = 0; n < 4; ++n)
    zones[n] = normal * cumulativeFlux(gammas, mean, bounds[n]) / 1000;
  const double downward = zones[3];
  const double upward =
      (luminaire.hasRatio && whole > 0 ? luminaire.ratio / 100 : whole) -
      downward;

  // Luminance at the grid's nodes, in cd/m2 per klm of the lamps; where
  // the luminous area shows no face, that of the vertical angle before.
  std::vector<std::vector<double>> luminance(planeCount);
  for (std::size_t k = 0; k < planeCount; ++k) {
    for (std::size_t j = 0; j < gammas.size(); ++j) {
      const double area =
          ugr::projectedArea(luminaire.length, luminaire.width,
                             luminaire.heights, planes[k], gammas[j]);
      luminance[k].push_back(area > 0 ? normal * intensity[k][j] / area
                             : j > 0  ? luminance[k][j - 1]
                                      : 0);
    }
  }
  const CircleGrid luminanceAt(circle, std::move(luminance));

  UgrTable table;
  for (int room = 0; room < kUgrRooms; ++room) {
    const double x = kUgrRoomSizes[room][0], y = kUgrRoomSizes[room][1];
    const double width = x * kHeight, depth = y * kHeight;
    const int across = static_cast<int>(std::lround(width / kSpacing));
    const int along = static_cast<int>(std::lround(depth / kSpacing));
    double sums[2] = {0, 0};  // crosswise, endwise
    for (int i = 0; i < across; ++i) {
      const double px = -width / 2 + kSpacing / 2 + i * kSpacing;
      for (int j = 0; j < along; ++j) {
        const double py = kSpacing / 2 + j * kSpacing;
        const double t = std::abs(px), r = py;
        const double gamma =
            degrees(std::atan(std::sqrt(t * t + r * r) / kHeight));
        double p = 0;
        if (t / r > 3 || kHeight / r > 1.9 || gamma > 85 ||
            !ugr::positionIndex(t / r, kHeight / r, &p))
          continue;
        const double distance2 = t * t + r * r + kHeight * kHeight;
        const double views[2] = {std::atan2(-px, py), std::atan2(py, px)};
        for (int view = 0; view < 2; ++view) {
          double c = std::fmod(degrees(views[view]) + 360, 360.0);
          if (c >= 360) c -= 360;
          const double area = ugr::projectedArea(
              luminaire.length, luminaire.width, luminaire.heights, c, gamma);
          if (!(area > 0)) continue;
          const double effective =
              luminanceAt.at(c, gamma) * area * luminaire.lampFlux / 1000;
          sums[view] += effective * effective / (area * distance2 * p * p);
        }
      }
    }
    // The background: the light that reaches the walls, directly and
    // between the surfaces.
    double gl[4];
    zonalFactors(x * y / (x + y), gl);
    double direct = 0;
    for (int n = 0; n < 4; ++n) direct += gl[n] * zones[n];
    const double toWalls = downward - direct;
    const double count = static_cast<double>(across) * along;
    for (int set = 0; set < kUgrReflectances; ++set) {
      double ft[3];
      ugr::transferFactors(x, y, kUgrReflectanceSets[set], ft);
      const double reaching =
          direct * ft[0] + toWalls * (ft[1] - 1) + upward * ft[2];
      const double background = luminaire.lampFlux * count * reaching /
                                (2 * kHeight * (width + depth)) / kPi;
      table.crosswise[room][set] = 8 * std::log10(0.25 * sums[0] / background);
      table.endwise[room][set] = 8 * std::log10(0.25 * sums[1] / background);
    }
  }
  return table;
}
