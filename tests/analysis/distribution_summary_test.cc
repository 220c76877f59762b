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
const char kBeam0[] = "Beam angle C0-C180 (\xC2\xB0)";
const char kBeam90[] = "Beam angle C90-C270 (\xC2\xB0)";
const char kField0[] = "Field angle C0-C180 (\xC2\xB0)";
const char kField90[] = "Field angle C90-C270 (\xC2\xB0)";

struct SummaryCase {
  const char* name;
  Distribution distribution;
  double lampFlux;
  // Expected rows; NaN where the row must be absent.
  double flux, ratio, beam0, beam90, field0, field90;
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
  const SummaryCase cases[] = {
      {"uniform_sphere",
       distribution({0}, gammas(0, 180, 5), [](double, double) { return 1.0; }),
       4 * kPi, 4 * kPi, 100, 360, 360, 360, 360},
      {"lambertian",
       distribution({0, 90, 180, 270}, gammas(0, 180, 1), lambert), 0,
       0.9999619216142627 * kPi * 1000, none, 120, 120, lambertField,
       lambertField},
      {"cone_between_angles", distribution({0}, gammas(0, 90, 10), cone), 0,
       none, none, 50, 50, 2 * 29, 2 * 29},
      // C0-C180: from the first maximum in C180 the beam ends at 60 in C0
      // (10 cd is half of 20) and at 65 in C180. C90 and C270 lie halfway
      // between the two rows: 15 cd, falling to half at 65.
      {"interpolated_half_planes",
       distribution({0, 180}, gammas(0, 90, 10), twoSided), 0, none, none, 125,
       130, 68 + 69, 2 * 69},
      // Light up only: the lobe round the zenith from 135 in C0 to 135 in
      // C180, found walking from C180's 150 across the zenith.
      {"closed_at_the_zenith",
       distribution({0}, gammas(0, 180, 30),
                    [](double, double g) { return g >= 150 ? 100.0 : 0.0; }),
       0, none, none, 90, 90, 114, 114},
      // Angles from 10 degrees: the path breaks at the nadir, so the lobe
      // around the first maximum, in C180 at -20, ends at -10 one way.
      {"break_at_the_nadir", distribution({0}, gammas(10, 90, 10), cone), 0,
       none, none, 25 - 10, 25 - 10, 29 - 10, 29 - 10},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData record;
    record.lampFlux = c.lampFlux;
    std::vector<NamedPath> paths;
    const std::vector<SummaryRow> rows =
        summarize(record, c.distribution.circle, c.distribution.values, &paths);
    const std::pair<const char*, double> expected[] = {{kRatio, c.ratio},
                                                       {kBeam0, c.beam0},
                                                       {kBeam90, c.beam90},
                                                       {kField0, c.field0},
                                                       {kField90, c.field90}};
    if (!std::isnan(c.flux)) expectNear(row(rows, kFlux), c.flux);
    for (const auto& [label, value] : expected) {
      SCOPED_TRACE(label);
      if (std::isnan(value)) {
        EXPECT_TRUE(std::isnan(row(rows, label)));
      } else {
        expectNear(row(rows, label), value);
      }
    }
  }
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
    expectNear(row(rows, kBeam0), c.beam0);
    expectNear(row(rows, kBeam90), c.beam90);
    EXPECT_EQ(row(rows, "Maximum intensity C (\xC2\xB0)"), c.maxPlane);
    EXPECT_EQ(row(rows, "Maximum intensity \xCE\xB3 (\xC2\xB0)"), 0);
    EXPECT_EQ(paths.size(), 2u);
  }
}

}  // namespace
