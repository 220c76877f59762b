#include "analysis/zonal_flux.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180; }

}  // namespace

double bandFlux(const WholeCircle& circle,
                const std::vector<std::vector<double>>& values, double low,
                double high) {
  const std::vector<double>& gammas = circle.gammaAngles;
  const std::size_t count = gammas.size();
  // The solid angle, per radian of the circle, of the part of each vertical
  // angle's zone inside the band.
  std::vector<double> zones(count);
  for (std::size_t j = 0; j < count; ++j) {
    const double from = j == 0 ? gammas[j] : (gammas[j - 1] + gammas[j]) / 2;
    const double to =
        j + 1 == count ? gammas[j] : (gammas[j] + gammas[j + 1]) / 2;
    const double start = std::max(from, low), end = std::min(to, high);
    zones[j] =
        start < end ? std::cos(radians(start)) - std::cos(radians(end)) : 0;
  }
  const std::vector<double>& planes = circle.planeAngles;
  const std::size_t planeCount = planes.size();
  double flux = 0;
  for (std::size_t k = 0; k < planeCount; ++k) {
    const double share = radians(planeSpan(circle, k));
    const std::vector<double>& row = values[circle.sourceRows[k]];
    double sum = 0;
    for (std::size_t j = 0; j < count; ++j) sum += row[j] * zones[j];
    flux += share * sum * circle.multiplier;
  }
  return flux;
}

double luminousFlux(const WholeCircle& circle,
                    const std::vector<std::vector<double>>& values) {
  return bandFlux(circle, values, 0, 180);
}

std::vector<ZoneFlux> zonalLumens(
    const WholeCircle& circle, const std::vector<std::vector<double>>& values) {
  std::vector<ZoneFlux> zones;
  double cumulative = 0;
  for (int low = 0; low < 180; low += 10) {
    const double flux = bandFlux(circle, values, low, low + 10);
    cumulative += flux;
    zones.push_back({std::to_string(low) + "-" + std::to_string(low + 10), flux,
                     true, cumulative});
  }
  const int bands[][2] = {{0, 30}, {0, 40},   {0, 60},
                          {0, 90}, {90, 180}, {0, 180}};
  for (const auto& band : bands) {
    zones.push_back({std::to_string(band[0]) + "-" + std::to_string(band[1]),
                     bandFlux(circle, values, band[0], band[1]), false, 0});
  }
  return zones;
}
