#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

#include "photometry/real_text.h"

bool realFromText(const char* first, const char* last, float* value) {
  const auto [stop, error] = std::from_chars(first, last, *value);
  if (stop != last || error == std::errc::invalid_argument) return false;
  if (error == std::errc::result_out_of_range) {
    // Beyond the float range either way. Extraction refuses an overflow but
    // takes an underflow as the nearest float, 0 or a subnormal, which
    // from_chars does not give: strtof does, as extraction itself uses it.
    const std::string text(first, last);
    const float nearest = std::strtof(text.c_str(), nullptr);
    if (nearest == std::numeric_limits<float>::infinity() ||
        nearest == -std::numeric_limits<float>::infinity())
      return false;
    *value = nearest;
  }
  return true;
}

bool doubleFromText(const char* first, const char* last, double* value) {
  if (first < last && *first == '+') ++first;
  double nearest = 0;
  const auto [stop, error] = std::from_chars(first, last, nearest);
  if (stop != last || error == std::errc::invalid_argument) return false;
  if (error == std::errc::result_out_of_range) {
    // An underflow is 0 or the nearest subnormal, which from_chars leaves
    // to strtod; an overflow is no number.
    const std::string text(first, last);
    nearest = std::strtod(text.c_str(), nullptr);
    if (nearest == std::numeric_limits<double>::infinity() ||
        nearest == -std::numeric_limits<double>::infinity())
      return false;
  }
  *value = nearest;
  return true;
}
