// The UGR table's parts on known answers, a Lambertian panel worked out by
// its constant luminance, and one light stored under every symmetry.
#include "analysis/ugr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ugr_tables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Ugr, ReadsThePositionIndexAtItsNodesAndBetween) {
  const struct {
    double t, h;
    bool defined;
    double p;
  } rows[] = {
      {0, 0, true, 1.00},
      {0.1, 0.2, true, 1.46},
      {3.0, 1.9, true, kGuthIndex[30][19]},
      // Halfway between 1.00, 1.26, 1.05 and 1.22.
      {0.05, 0.05, true, (1.00 + 1.26 + 1.05 + 1.22) / 4},
      // A corner is undefined, or it lies beyond the table.
      {0.05, 1.85, false, 0},
      {3.05, 0, false, 0},
  };
  for (const auto& row : rows) {
    double p = 0;
    EXPECT_EQ(ugr::positionIndex(row.t, row.h, &p), row.defined)
        << row.t << " " << row.h;
    if (row.defined) {
      EXPECT_NEAR(p, row.p, 1e-12);
    }
  }
}

TEST(Ugr, ProjectsTheLuminousArea) {
  const double flat[4] = {0, 0, 0, 0};
  const double sides[4] = {0.1, 0.05, 0.2, 0.04};
  const double rim[4] = {0.02, 0.02, 0.02, 0.02};
  const struct {
    double length, width;
    const double* heights;
    double c, gamma, area;
  } rows[] = {
      {0.6, 0.3, flat, 0, 0, 0.18},
      {0.6, 0.3, flat, 45, 60, 0.09},
      // Seen from the side, only the face towards the eye: the length's
      // at C0 and C180, the width's at C90 and C270.
      {0.6, 0.3, sides, 0, 90, 0.6 * 0.1},
      {0.6, 0.3, sides, 180, 90, 0.6 * 0.2},
      {0.6, 0.3, sides, 90, 90, 0.3 * 0.05},
      {0.6, 0.3, sides, 270, 90, 0.3 * 0.04},
      {0.2, 0, rim, 0, 0, kPi * 0.04 / 4},
      {0.2, 0, rim, 30, 90, 0.2 * 0.02},
  };
  for (const auto& row : rows)
    EXPECT_NEAR(ugr::projectedArea(row.length, row.width, row.heights, row.c,
                                   row.gamma),
                row.area, 1e-12);
}

TEST(Ugr, TransfersLightBetweenTheRoomsSurfacesAsTabulated) {
  const double reflectances[3] = {0.7, 0.5, 0.2};
  const struct {
    double x, y, factors[3];
  } rows[] = {{2, 2, {0.220, 1.422, 0.646}}, {4, 8, {0.115, 1.211, 0.307}}};
  for (const auto& row : rows) {
    double factors[3];
    ugr::transferFactors(row.x, row.y, reflectances, factors);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(factors[i], row.factors[i], 5e-4);
  }
}

// An EULUMDAT file of Mc planes 360 / Mc apart and gamma 0 to 90 by 5,
// whose light at (C, gamma) is `light`, stored as `isym` stores it; a
// luminous area of 600 by 300 mm, no side faces, 4000 lm, 100 %.
std::string ldt(int isym, int mc, double (*light)(double, double)) {
  std::ostringstream file;
  const char* const header[] = {
      "maker", "1",  nullptr, nullptr, nullptr, "19",  "5",   "r",
      "panel", "P1", "p.ldt", "d",     "600",   "300", "50",  "600",
      "300",   "0",  "0",     "0",     "0",     "100", "100", "1",
      "0",     "1",  "1",     "LED",   "4000",  "nw",  "80",  "40"};
  for (int line = 0; line < 32; ++line) {
    if (line == 2)
      file << isym << "\r\n";
    else if (line == 3)
      file << mc << "\r\n";
    else if (line == 4)
      file << 360.0 / mc << "\r\n";
    else
      file << header[line] << "\r\n";
  }
  for (int i = 0; i < 10; ++i) file << "0.5\r\n";
  for (int i = 0; i < mc; ++i) file << 360.0 * i / mc << "\r\n";
  for (int g = 0; g <= 90; g += 5) file << g << "\r\n";
  // The planes each symmetry stores, in file order.
  std::vector<double> planes;
  const int quarter = mc / 4;
  if (isym == 0)
    for (int i = 0; i < mc; ++i) planes.push_back(360.0 * i / mc);
  if (isym == 1) planes.push_back(0);
  if (isym == 2)
    for (int i = 0; i <= mc / 2; ++i) planes.push_back(360.0 * i / mc);
  if (isym == 3)
    for (int i = 3 * quarter; i <= 5 * quarter; ++i)
      planes.push_back(std::fmod(360.0 * i / mc, 360.0));
  if (isym == 4)
    for (int i = 0; i <= quarter; ++i) planes.push_back(360.0 * i / mc);
  for (const double c : planes) {
    for (int g = 0; g <= 90; g += 5) file << light(c, g) << "\r\n";
  }
  return file.str();
}

UgrTable tableOf(const std::string& text) {
  const std::string path = testing::TempDir() + "ugr.ldt";
  std::ofstream(path, std::ios::binary) << text;
  PhotometricData record;
  std::ostringstream console;
  EXPECT_TRUE(record.parse(path, console)) << console.str();
  const WholeCircle circle = wholeCircle(record);
  std::string why;
  EXPECT_TRUE(ugrPossible(record, circle, &why)) << why;
  return ugrTable(record, circle, tableValues(record));
}

double lambert(double, double gamma) {
  return 1000 / kPi * std::cos(gamma * kPi / 180);
}

// A flat Lambertian panel has the same luminance, flux / (pi area), every
// way: each luminaire adds L^2 A cos(gamma) / (r^2 p^2), and all its light
// goes down, sin^2(gamma) of it within gamma.
TEST(Ugr, GivesAPanelOfOneLuminanceTheGlareWorkedOutByHand) {
  const UgrTable table = tableOf(ldt(1, 1, lambert));
  const double area = 0.6 * 0.3, flux = 4000, luminance = flux / (kPi * area);
  const double h = 2, spacing = 0.5, width = 8, depth = 16;  // 4H x 8H
  double sum = 0, count = 0;
  for (double x = -width / 2 + spacing / 2; x < width / 2; x += spacing) {
    for (double y = spacing / 2; y < depth; y += spacing) {
      ++count;
      const double t = std::abs(x), r = y;
      const double gamma = std::atan(std::hypot(t, r) / h);
      double p = 0;
      if (t / r > 3 || h / r > 1.9 || gamma * 180 / kPi > 85 ||
          !ugr::positionIndex(t / r, h / r, &p))
        continue;
      sum += luminance * luminance * area * std::cos(gamma) /
             ((t * t + r * r + h * h) * p * p);
    }
  }
  const double zones[4] = {0.4375, 0.75, 0.9375, 1};  // sin^2 of each bound
  const double k = 4.0 * 8 / (4 + 8);                 // row 2.67
  double direct = 0;
  for (int n = 0; n < 4; ++n) direct += kZonalFactors[8][n + 1] * zones[n];
  ASSERT_NEAR(kZonalFactors[8][0], k, 0.005);
  const double reflectances[3] = {0.7, 0.5, 0.2};
  double ft[3];
  ugr::transferFactors(4, 8, reflectances, ft);
  const double reaching = direct * ft[0] + (1 - direct) * (ft[1] - 1);
  const double background =
      flux * count * reaching / (2 * h * (width + depth)) / kPi;
  const double expected = 8 * std::log10(0.25 * sum / background);
  EXPECT_NEAR(table.crosswise[10][0], expected, 0.02);
  EXPECT_NEAR(table.endwise[10][0], expected, 0.02);
}

// Symmetric about C0-C180 and C90-C270, the same light whichever way a
// file stores it.
double oval(double c, double gamma) {
  return (100 + 50 * std::cos(2 * c * kPi / 180)) * std::cos(gamma * kPi / 180);
}

TEST(Ugr, GivesOneLightTheSameTableUnderEverySymmetry) {
  const UgrTable whole = tableOf(ldt(0, 8, oval));
  for (const int isym : {2, 3, 4}) {
    SCOPED_TRACE(isym);
    const UgrTable stored = tableOf(ldt(isym, 8, oval));
    for (int room = 0; room < kUgrRooms; ++room) {
      for (int set = 0; set < kUgrReflectances; ++set) {
        EXPECT_NEAR(stored.crosswise[room][set], whole.crosswise[room][set],
                    1e-9);
        EXPECT_NEAR(stored.endwise[room][set], whole.endwise[room][set], 1e-9);
      }
    }
  }
  // One plane stands for all: as every plane of the whole circle.
  const UgrTable round = tableOf(ldt(1, 8, lambert));
  const UgrTable roundWhole = tableOf(ldt(0, 8, lambert));
  EXPECT_NEAR(round.crosswise[18][4], roundWhole.crosswise[18][4], 1e-9);
  // Brighter towards C0, which faces the observer crosswise: more glare.
  EXPECT_GT(whole.crosswise[10][0], whole.endwise[10][0]);
}

}  // namespace
