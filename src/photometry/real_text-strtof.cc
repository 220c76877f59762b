#include <cstdlib>
#include <limits>
#include <string>

#include "photometry/real_text.h"

// strtof reads under the C library's numeric conventions, which stay the
// classic ones: the process never calls setlocale. The text holds only what
// the reader delimited, so strtof's wider syntax (hexadecimal, "inf", "nan",
// leading blanks) never comes into play.
bool realFromText(const char* first, const char* last, float* value) {
  const std::string text(first, last);
  char* stop = nullptr;
  const float nearest = std::strtof(text.c_str(), &stop);
  if (stop != text.c_str() + text.size() || text.empty()) return false;
  // An overflow comes back as an infinity and is refused; an underflow as 0
  // or the nearest subnormal, which extraction keeps.
  if (nearest == std::numeric_limits<float>::infinity() ||
      nearest == -std::numeric_limits<float>::infinity())
    return false;
  *value = nearest;
  return true;
}

bool doubleFromText(const char* first, const char* last, double* value) {
  const std::string text(first, last);
  char* stop = nullptr;
  const double nearest = std::strtod(text.c_str(), &stop);
  if (stop != text.c_str() + text.size() || text.empty()) return false;
  if (nearest == std::numeric_limits<double>::infinity() ||
      nearest == -std::numeric_limits<double>::infinity())
    return false;
  *value = nearest;
  return true;
}
