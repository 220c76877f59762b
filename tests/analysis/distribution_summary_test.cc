// What the Summary sheet computes, on distributions with known answers.
#include "analysis/distribution_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

using Values = std::vector<std::vector<double>>;

// Gamma angles from `first` to `last` by `step`.
std::vector<double> gammas(double first, double last, double step) {
  std::vector<double> angles;
  for (double gamma = first; gamma <= last + 1e-9; gamma += step)
    angles.push_back(gamma);
  return angles;
}

// A whole circle of the given planes, row k holding `intensity(C, gamma)`.
struct Distribution {
  WholeCircle circle;
  Values values;
};
Distribution distribution(
    const std::vector<double>& planes, const std::vector<double>& gammaAngles,
    const std::function<double(double, double)>& intensity) {
  Distribution d;
  d.circle.gammaAngles = gammaAngles;
  d.circle.planeAngles = planes;
  d.circle.multiplier = 1;
  for (std::size_t k = 0; k < planes.size(); ++k) {
    d.circle.sourceRows.push_back(k);
    std::vector<double>& row = d.values.emplace_back();
    for (const double gamma : gammaAngles)
      row.push_back(intensity(planes[k], gamma));
  }
  return d;
}

void expectNear(double actual, double expected) {
  EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::abs(expected)));
}

// The value of the row labelled `label`, or NaN when it is absent.
double row(const std::vector<SummaryRow>& rows, const std::string& label) {
  for (const SummaryRow& r : rows) {
    if (r.label == label) return r.value;
  }
  return std::nan("");
}

const char kFlux[] = "Luminous flux (lm)";
const char kRatio[] = "Light output ratio (%)";
// The beam and field rows of each plane pair, of the maximum and of the
// centre.
const char* const kSpreads[] = {
    "Beam angle C0-C180, 50 % of maximum (\xC2\xB0)",
    "Beam angle C90-C270, 50 % of maximum (\xC2\xB0)",
    "Field angle C0-C180, 10 % of maximum (\xC2\xB0)",
    "Field angle C90-C270, 10 % of maximum (\xC2\xB0)",
    "Beam angle C0-C180, 50 % of centre (\xC2\xB0)",
    "Beam angle C90-C270, 50 % of centre (\xC2\xB0)",
    "Field angle C0-C180, 10 % of centre (\xC2\xB0)",
    "Field angle C90-C270, 10 % of centre (\xC2\xB0)"};

struct SummaryCase {
  const char* name;
  Distribution distribution;
  double lampFlux;
  // Expected rows; NaN where the row must be absent.
  double flux, ratio;
  double spreads[8];  // in the order of kSpreads
};

TEST(DistributionSummary, ComputesKnownDistributions) {
  const double none = std::nan("");
  const auto lambert = [](double, double g) {
    return g <= 90 ? 1000 * std::cos(g * kPi / 180) : 0;
  };
  // 100 cd within 20 degrees of the nadir, none beyond: at 10-degree steps
  // the half-value lies halfway from 20 to 30 degrees.
  const auto cone = [](double, double g) { return g <= 20 ? 100.0 : 0.0; };
  // 10 cd in C0 and 20 cd in C180 up to 60 degrees.
  const auto twoSided = [](double c, double g) {
    return g <= 60 ? (c == 0 ? 10.0 : 20.0) : 0.0;
  };
  // Where 1000 cos(gamma) falls to 100 cd, between 84 and 85 degrees.
  const double cos84 = 1000 * std::cos(84 * kPi / 180);
  const double lambertField =
      2 * (84 + (cos84 - 100) / (cos84 - 1000 * std::cos(85 * kPi / 180)));
  // 40 cd at the nadir rising by 1 cd a degree to 100 cd at 60, 30 cd at 70,
  // none from 80.
  const auto batwing = [](double, double g) {
    return g <= 60 ? 40 + g : (g <= 70 ? 30.0 : 0.0);
  };
  // All of C0's light between 20 and 40 degrees; none in C180.
  const auto oneSided = [](double c, double g) {
    return c == 0 && g >= 20 && g <= 40 ? 100.0 : 0.0;
  };
  const SummaryCase cases[] = {
      {"uniform_sphere",
       distribution({0}, gammas(0, 180, 5), [](double, double) { return 1.0; }),
       4 * kPi,
       4 * kPi,
       100,
       {180, 180, 180, 180, 180, 180, 180, 180}},
      {"lambertian",
       distribution({0, 90, 180, 270}, gammas(0, 180, 1), lambert),
       0,
       0.9999619216142627 * kPi * 1000,
       none,
       {120, 120, lambertField, lambertField, 120, 120, lambertField,
        lambertField}},
      {"cone_between_angles",
       distribution({0}, gammas(0, 90, 10), cone),
       0,
       none,
       none,
       {50, 50, 2 * 29, 2 * 29, 50, 50, 2 * 29, 2 * 29}},
      // C0-C180: the maximum, 20 cd, is C180's; half of it ends C0 at 60
      // and C180 at 65. The centre, C0's 10 cd at the nadir: its half ends
      // C0 at 65 and C180 at 67.5. C90 and C270 lie halfway between the two
      // rows: 15 cd, falling to half at 65.
      {"interpolated_half_planes",
       distribution({0, 180}, gammas(0, 90, 10), twoSided),
       0,
       none,
       none,
       {125, 130, 68 + 69, 2 * 69, 65 + 67.5, 130, 69 + 69.5, 2 * 69}},
      // Light up only, so the axis is the zenith: from 135 in C0 to 135 in
      // C180 across it.
      {"uplight_about_the_zenith",
       distribution({0}, gammas(0, 180, 30),
                    [](double, double g) { return g >= 150 ? 100.0 : 0.0; }),
       0,
       none,
       none,
       {90, 90, 114, 114, 90, 90, 114, 114}},
      // Angles from 10 degrees: the path breaks at the nadir, where no
      // direction is, so there is no centre.
      {"break_at_the_nadir",
       distribution({0}, gammas(10, 90, 10), cone),
       0,
       none,
       none,
       {50, 50, 58, 58, none, none, none, none}},
      // The nadir's 40 cd lies below half the maximum: the beam runs from
      // the outermost half-values, 60 + 50/7 either side, not around the
      // first maximum; of the centre, 20 cd is reached out to 70 + 10/3.
      {"batwing",
       distribution({0}, gammas(0, 90, 10), batwing),
       0,
       none,
       none,
       {2 * (60 + 50.0 / 7), 2 * (60 + 50.0 / 7), 2 * (70 + 20.0 / 3),
        2 * (70 + 20.0 / 3), 2 * (70 + 10.0 / 3), 2 * (70 + 10.0 / 3),
        2 * (70 + 26.0 / 3), 2 * (70 + 26.0 / 3)}},
      // C0-C180 has both ends on one side of the axis, 15 to 45; C90 and
      // C270 hold half of C0 on either side. No light at the nadir: no
      // centre.
      {"one_sided",
       distribution({0, 180}, gammas(0, 90, 10), oneSided),
       0,
       none,
       none,
       {30, 90, 38, 98, none, none, none, none}},
      // Still above half at 90 degrees: the ends move out towards 120 and
      // are held at 90.
      {"wide",
       distribution(
           {0}, gammas(0, 180, 30),
           [](double, double g) { return g <= 90 ? 100 - g * 4 / 9 : 0.0; }),
       0,
       none,
       none,
       {180, 180, 180, 180, 180, 180, 180, 180}},
      // No 90 degrees in the grid: half of the maximum lies between 80 and
      // 120, at 80 + 40/6; a tenth of it beyond 90, where the end is held.
      {"grid_without_90",
       distribution(
           {0}, {0, 40, 80, 120},
           [](double, double g) {
             return g == 0 ? 100.0 : g == 40 ? 90.0 : g == 80 ? 60.0 : 0.0;
           }),
       0,
       none,
       none,
       {2 * (80 + 40.0 / 6), 2 * (80 + 40.0 / 6), 180, 180, 2 * (80 + 40.0 / 6),
        2 * (80 + 40.0 / 6), 180, 180}},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData record;
    record.lampFlux = c.lampFlux;
    std::vector<NamedPath> paths;
    const std::vector<SummaryRow> rows =
        summarize(record, c.distribution.circle, c.distribution.values, &paths);
    if (!std::isnan(c.flux)) expectNear(row(rows, kFlux), c.flux);
    if (std::isnan(c.ratio)) {
      EXPECT_TRUE(std::isnan(row(rows, kRatio)));
    } else {
      expectNear(row(rows, kRatio), c.ratio);
    }
    for (int i = 0; i < 8; ++i) {
      SCOPED_TRACE(kSpreads[i]);
      if (std::isnan(c.spreads[i])) {
        EXPECT_TRUE(std::isnan(row(rows, kSpreads[i])));
      } else {
        expectNear(row(rows, kSpreads[i]), c.spreads[i]);
      }
    }
  }
}

// The rows beside the flux: the lamps' flux, the shares up and down, the
// power and the efficacy.
TEST(DistributionSummary, ListsTheSharesAndTheEfficacy) {
  // 1 cd all round: 4 pi lm, half of it downwards, against lamps of 8 pi
  // lm taking 2 pi W.
  const Distribution sphere =
      distribution({0}, gammas(0, 180, 5), [](double, double) { return 1.0; });
  PhotometricData record;
  record.lampFlux = 8 * kPi;
  record.inputPower = 2 * kPi;
  record.hasDeclaredDownwardFraction = true;
  record.declaredDownwardFraction = 40;
  std::vector<NamedPath> paths;
  const std::vector<SummaryRow> rows =
      summarize(record, sphere.circle, sphere.values, &paths);
  const std::pair<const char*, double> expected[] = {
      {kFlux, 4 * kPi},
      {kRatio, 50},
      {"Lamp flux (lm)", 8 * kPi},
      {"Downward flux fraction (%)", 50},
      {"Declared downward flux fraction (%)", 40},
      {"Downward light output ratio (%)", 25},
      {"Upward light output ratio (%)", 25},
      {"Input power (W)", 2 * kPi},
      {"Efficacy (lm/W)", 2}};
  ASSERT_GE(rows.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(rows[i].label, expected[i].first);
    expectNear(rows[i].value, expected[i].second);
  }
  EXPECT_EQ(rows[9].label, "Maximum intensity (cd)");
}

// Fills `r` with a file's planes, row i holding 10 * rows[i].first cd up
// to rows[i].second degrees of gamma (0 to 90 by 10).
using Rows = std::vector<std::pair<float, float>>;
void fill(PhotometricData* r, PhotometricData::Format format, int symmetry,
          const std::vector<float>& planes, const Rows& rows) {
  r->format = format;
  r->symmetry = symmetry;
  r->photometricType = 1;
  r->candelaMultiplier = 10;
  r->horizontalAngles = planes;
  for (float gamma = 0; gamma <= 90; gamma += 10)
    r->fileVerticalAngles.push_back(gamma);
  for (const auto& [value, reach] : rows) {
    std::vector<float>& row = r->candela.emplace_back();
    for (const float gamma : r->fileVerticalAngles)
      row.push_back(gamma <= reach ? value : 0);
  }
}

// Planes that only mirroring gives take part in the spread, and the
// maximum is the first of equals reading row by row.
TEST(DistributionSummary, SpreadsMirroredPlanesAndFindsTheFirstMaximum) {
  using Format = PhotometricData::Format;
  struct Case {
    const char* name;
    Format format;
    int symmetry;
    std::vector<float> planes;
    Rows rows;
    double beam0, beam90, maxPlane;
  };
  const Case cases[] = {
      // C0 mirrors into C180, C90 into C270: both pairs symmetric.
      {"ies_quadrant",
       Format::ies,
       0,
       {0, 90},
       {{1, 60}, {2, 30}},
       130,
       70,
       90},
      // Stored rows C90, C180 (holding C0's light), C270; C0 comes from
      // C180. In C90-C270 the nadir, C90's 20 cd, is the first maximum,
      // and the beam ends two thirds of the way to C270's 5 cd at 10.
      {"eulumdat_symmetric_about_c90",
       Format::eulumdat,
       3,
       {90, 180, 270},
       {{2, 30}, {1, 60}, {0.5f, 30}},
       130,
       35 + 20.0 / 3,
       90},
      // 20 cd in C0 up to 30 degrees and in C90 at the nadir: C0's nadir is
      // the first of them reading row by row.
      {"tie",
       Format::eulumdat,
       0,
       {0, 90, 180, 270},
       {{2, 30}, {2, 0}, {0, 0}, {0, 0}},
       35 + 5,
       10,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData r;
    fill(&r, c.format, c.symmetry, c.planes, c.rows);
    std::vector<NamedPath> paths;
    const std::vector<SummaryRow> rows =
        summarize(r, wholeCircle(r), tableValues(r), &paths);
    expectNear(row(rows, kSpreads[0]), c.beam0);
    expectNear(row(rows, kSpreads[1]), c.beam90);
    EXPECT_EQ(row(rows, "Maximum intensity C (\xC2\xB0)"), c.maxPlane);
    EXPECT_EQ(row(rows, "Maximum intensity \xCE\xB3 (\xC2\xB0)"), 0);
    EXPECT_EQ(paths.size(), 2u);
  }
}

}  // namespace
