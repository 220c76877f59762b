// What the polar diagram draws: its unit, curves, half and grid.
#include "export/polar_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Planes `planes` at gamma 0, 90 and 180, plane k holding `rows[k]`.
struct Distribution {
  WholeCircle circle;
  std::vector<std::vector<double>> values;
};
Distribution distribution(const std::vector<double>& planes,
                          const std::vector<std::vector<double>>& rows) {
  Distribution d;
  d.circle.gammaAngles = {0, 90, 180};
  d.circle.planeAngles = planes;
  d.circle.multiplier = 1;
  for (std::size_t k = 0; k < planes.size(); ++k)
    d.circle.sourceRows.push_back(k);
  d.values = rows;
  return d;
}

TEST(PolarDiagram, DrawsInTheUnitAndHalfItsLightNeeds) {
  const struct {
    const char* name;
    Distribution light;
    double lampFlux;
    std::string unit;
    std::vector<std::string> curves;
    bool lowerHalf;
    double reach;
    std::vector<double> circles;
  } rows[] = {
      // 2000 lm of lamps: 1046 cd is 523 cd/klm, inside 1000 in steps of
      // 200.
      {"relative",
       distribution({0}, {{1046, 500, 0}}),
       2000,
       "cd/klm",
       {"C0-C180", "C90-C270"},
       true,
       1000,
       {200, 400, 600, 800, 1000}},
      // Absolute photometry in cd; light above 90 degrees: the whole circle.
      // 2 times a power of ten is cut in four.
      {"absolute_whole_circle",
       distribution({0}, {{1046, 500, 300}}),
       0,
       "cd",
       {"C0-C180", "C90-C270"},
       false,
       2000,
       {500, 1000, 1500, 2000}},
      // The largest intensity in C225: a curve for C45-C225 too.
      {"maximum_in_another_plane",
       distribution(
           {0, 90, 180, 225, 270},
           {{10, 5, 0}, {10, 5, 0}, {10, 5, 0}, {10, 25, 0}, {10, 5, 0}}),
       0,
       "cd",
       {"C0-C180", "C90-C270", "C45-C225"},
       true,
       25,
       {5, 10, 15, 20, 25}},
      // In C270, one of the pairs: no third curve.
      {"maximum_in_a_pair",
       distribution({0, 90, 180, 270},
                    {{10, 5, 0}, {10, 5, 0}, {10, 5, 0}, {10, 50, 0}}),
       0,
       "cd",
       {"C0-C180", "C90-C270"},
       true,
       50,
       {10, 20, 30, 40, 50}},
      // One plane of a file stands for all: its curves are all alike.
      {"one_plane",
       distribution({30}, {{10, 5, 0}}),
       0,
       "cd",
       {"C0-C180", "C90-C270"},
       true,
       10,
       {2, 4, 6, 8, 10}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PhotometricData record;
    record.lampFlux = row.lampFlux;
    std::vector<NamedPath> pairs;
    for (const double c : {0.0, 90.0})
      pairs.push_back({c == 0 ? "C0-C180" : "C90-C270",
                       planePath(row.light.circle, row.light.values, c)});
    const PolarDiagram diagram =
        polarDiagram(record, row.light.circle, row.light.values, pairs);
    std::vector<std::string> names;
    for (const NamedPath& curve : diagram.curves) names.push_back(curve.name);
    EXPECT_EQ(diagram.unit, row.unit);
    EXPECT_EQ(names, row.curves);
    EXPECT_EQ(diagram.lowerHalf, row.lowerHalf);
    EXPECT_DOUBLE_EQ(diagram.reach, row.reach);
    ASSERT_EQ(diagram.circles.size(), row.circles.size());
    for (std::size_t i = 0; i < row.circles.size(); ++i)
      EXPECT_DOUBLE_EQ(diagram.circles[i], row.circles[i]);
  }
}

}  // namespace
