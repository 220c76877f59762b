// The flux in zones, on distributions whose zones are known.
#include "analysis/zonal_flux.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Planes C0, C90, C180, C270 of `intensity(gamma)` at 5-degree steps from 0
// to `last`.
WholeCircle circleOf(double last, double (*intensity)(double),
                     std::vector<std::vector<double>>* values) {
  WholeCircle circle;
  circle.multiplier = 1;
  for (double gamma = 0; gamma <= last; gamma += 5)
    circle.gammaAngles.push_back(gamma);
  for (std::size_t k = 0; k < 4; ++k) {
    circle.planeAngles.push_back(90.0 * static_cast<double>(k));
    circle.sourceRows.push_back(k);
    std::vector<double>& row = values->emplace_back();
    for (const double gamma : circle.gammaAngles)
      row.push_back(intensity(gamma));
  }
  return circle;
}

double lambert(double gamma) {
  return gamma <= 90 ? 1000 * std::cos(gamma * kPi / 180) : 0;
}
double uniform(double) { return 1; }

TEST(ZonalFlux, SharesTheFluxOutInZonesThatAddUp) {
  const struct {
    const char* name;
    double last;  // the last vertical angle
    double (*intensity)(double);
    const char* zone;
    double share;  // of the whole flux, in the zone named
  } rows[] = {
      // A Lambertian downlight sends 3/4 of its light within 60 degrees
      // (sin^2 60), all of it downwards.
      {"lambertian_0_60", 180, lambert, "0-60", 0.75},
      {"lambertian_down", 180, lambert, "0-90", 1},
      {"lambertian_up", 180, lambert, "90-180", 0},
      // A uniform sphere: the zone's solid angle over 4 pi.
      {"uniform_0_10", 180, uniform, "0-10", (1 - std::cos(kPi / 18)) / 2},
      // Angles only to 90: the zones beyond them hold nothing.
      {"half_sphere_up", 90, uniform, "90-180", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::vector<double>> values;
    const WholeCircle circle = circleOf(row.last, row.intensity, &values);
    const double flux = luminousFlux(circle, values);
    const std::vector<ZoneFlux> zones = zonalLumens(circle, values);
    ASSERT_EQ(zones.size(), 24u);
    double sum = 0;
    for (std::size_t i = 0; i < 18; ++i) {
      sum += zones[i].flux;
      EXPECT_TRUE(zones[i].hasCumulative);
      EXPECT_NEAR(zones[i].cumulative, sum, 1e-12 * flux);
    }
    EXPECT_NEAR(sum, flux, 1e-12 * flux);
    EXPECT_EQ(zones[17].name, "170-180");
    EXPECT_EQ(zones[23].name, "0-180");
    EXPECT_FALSE(zones[23].hasCumulative);
    EXPECT_NEAR(zones[23].flux, flux, 1e-12 * flux);
    for (const ZoneFlux& zone : zones) {
      if (zone.name == row.zone) {
        EXPECT_NEAR(zone.flux / flux, row.share, 1e-12);
      }
    }
  }
}

}  // namespace
