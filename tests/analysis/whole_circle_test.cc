// Which planes the Candela sheet holds, and which table row each takes.
#include "analysis/whole_circle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PlaneCase {
  const char* name;
  PhotometricData::Format format;
  int type;  // IES photometric type, or EULUMDAT's symmetry indicator
  std::vector<float> rows;  // the table's plane angles
  bool widened;
  std::vector<double> planes;
  std::vector<std::size_t> sources;
};

TEST(WholeCircle, MirrorsTheStoredPlanesByTheFilesSymmetry) {
  using F = PhotometricData::Format;
  const PlaneCase cases[] = {
      {"ies_one_plane", F::ies, 1, {90, 180}, true, {90}, {0}},
      {"ies_quadrant",
       F::ies,
       1,
       {0, 45, 90},
       false,
       {0, 45, 90, 135, 180, 225, 270, 315},
       {0, 1, 2, 1, 0, 1, 2, 1}},
      {"ies_half_c0",
       F::ies,
       1,
       {0, 90, 180},
       false,
       {0, 90, 180, 270},
       {0, 1, 2, 1}},
      {"ies_half_c90",
       F::ies,
       1,
       {90, 180, 270},
       false,
       {0, 90, 180, 270},
       {1, 0, 1, 2}},
      {"ies_whole_with_360", F::ies, 1, {0, 180, 360}, false, {0, 180}, {0, 1}},
      {"ies_other_list_modulo_360",
       F::ies,
       1,
       {-90, 90, 400},
       false,
       {40, 90, 270},
       {2, 1, 0}},
      {"ies_type_b_as_listed",
       F::ies,
       2,
       {90, -90, 0},
       false,
       {90, -90, 0},
       {0, 1, 2}},
      {"ies_type_a_one_plane", F::ies, 3, {0, 180}, true, {0}, {0}},
      {"ldt_none",
       F::eulumdat,
       0,
       {0, 120, 240},
       false,
       {0, 120, 240},
       {0, 1, 2}},
      {"ldt_vertical_axis", F::eulumdat, 1, {15, 180}, true, {15}, {0}},
      {"ldt_about_c0",
       F::eulumdat,
       2,
       {0, 90, 180},
       false,
       {0, 90, 180, 270},
       {0, 1, 2, 1}},
      {"ldt_about_c90",
       F::eulumdat,
       3,
       {90, 180, 270},
       false,
       {0, 90, 180, 270},
       {1, 0, 1, 2}},
      {"ldt_both",
       F::eulumdat,
       4,
       {0, 30, 90},
       false,
       {0, 30, 90, 150, 180, 210, 270, 330},
       {0, 1, 2, 1, 0, 1, 2, 1}},
  };
  for (const PlaneCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData record;
    record.format = c.format;
    record.photometricType = c.format == F::ies ? c.type : 1;
    record.symmetry = c.format == F::ies ? 0 : c.type;
    record.horizontalAngles = c.rows;
    record.widened = c.widened;
    const WholeCircle circle = wholeCircle(record);
    EXPECT_EQ(circle.planeAngles, c.planes);
    EXPECT_EQ(circle.sourceRows, c.sources);
  }
}

TEST(WholeCircle, TakesTheDecimalThatAFloatWasReadFrom) {
  PhotometricData record;
  record.horizontalAngles = {0.1f, 180};
  record.widened = true;
  record.fileVerticalAngles = {22.5f, 0.3f, 1234.567f};
  record.candela = {{0.1f, 1e-7f, 3.4e38f}, {0.1f, 1e-7f, 3.4e38f}};
  const WholeCircle circle = wholeCircle(record);
  EXPECT_EQ(circle.gammaAngles, std::vector<double>({22.5, 0.3, 1234.567}));
  EXPECT_EQ(circle.planeAngles, std::vector<double>({0.1}));
  EXPECT_EQ(tableValues(record)[1], std::vector<double>({0.1, 1e-7, 3.4e38}));
}

}  // namespace

namespace {

// The planes either side of an angle, around the circle, and the share of
// the circle each plane stands for.
TEST(WholeCircle, FindsThePlanesAroundAnAngle) {
  const struct {
    std::vector<double> planes;
    double angle;
    std::size_t below, above;
    double share;
  } rows[] = {
      {{0, 90, 180, 270}, 45, 0, 1, 0.5},
      {{0, 90, 180, 270}, 90, 1, 1, 0},
      {{0, 90, 180, 270}, 315, 3, 0, 0.5},
      // Planes that start above 0: before the first, the way runs from
      // the last, a turn back.
      {{10, 100, 190, 280}, 0, 3, 0, 80.0 / 90},
      {{10, 100, 190, 280}, 285, 3, 0, 5.0 / 90},
      {{30}, 200, 0, 0, 0},
  };
  for (const auto& row : rows) {
    WholeCircle circle;
    circle.planeAngles = row.planes;
    const PlanesAround around = planesAround(circle, row.angle);
    EXPECT_EQ(around.below, row.below) << row.angle;
    EXPECT_EQ(around.above, row.above) << row.angle;
    EXPECT_DOUBLE_EQ(around.share, row.share) << row.angle;
  }
  WholeCircle circle;
  circle.planeAngles = {0, 90, 100};
  EXPECT_DOUBLE_EQ(planeSpan(circle, 0), (260 + 90) / 2.0);
  EXPECT_DOUBLE_EQ(planeSpan(circle, 2), (10 + 260) / 2.0);
  circle.planeAngles = {0};
  EXPECT_DOUBLE_EQ(planeSpan(circle, 0), 360);
}

}  // namespace
