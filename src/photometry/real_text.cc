#include "photometry/real_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Converts the text of a real the quick way where that is exact: digits
// with at most one decimal separator, no exponent, making an integer of at
// most 2^24 scaled by at most ten decimal places. Both are then exact
// floats, and the one division rounds once, correctly, as a full conversion
// would. Returns false, leaving `value` alone, for any other text.
bool quickReal(const char* next, const char* end, char decimalSeparator,
               float* value) {
  static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                           1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  constexpr std::uint32_t kLargestExact = 1u << 24;
  bool negative = false;
  if (next < end && (*next == '+' || *next == '-')) negative = *next++ == '-';
  std::uint32_t digits = 0;
  int places = 0;
  bool digitSeen = false, separatorSeen = false;
  for (; next < end; ++next) {
    if (*next == decimalSeparator && !separatorSeen) {
      separatorSeen = true;
      continue;
    }
    if (!isDigit(*next)) return false;
    digits = digits * 10 + static_cast<std::uint32_t>(*next - '0');
    if (digits > kLargestExact) return false;
    digitSeen = true;
    if (separatorSeen && ++places > 10) return false;
  }
  if (!digitSeen) return false;
  const float magnitude = static_cast<float>(digits) / kPowersOfTen[places];
  *value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool parseReal(const char* first, const char* last, float* value,
               char decimalSeparator) {
  if (quickReal(first, last, decimalSeparator, value)) return true;
  if (first < last && *first == '+') ++first;
  if (decimalSeparator == '.') return realFromText(first, last, value);
  std::string text(first, last);
  for (char& c : text) {
    if (c == decimalSeparator) c = '.';
  }
  return realFromText(text.data(), text.data() + text.size(), value);
}

double shortestDouble(float value) {
  if (!std::isfinite(value)) return value;
  // The shortest text that reads back as the float, then the double that
  // text stands for.
  char text[32];
  const char* const last = std::to_chars(text, text + sizeof text, value).ptr;
  double nearest = value;
  doubleFromText(text, last, &nearest);
  return nearest;
}
