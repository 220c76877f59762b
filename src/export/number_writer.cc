#include "export/number_writer.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A group size that goes on grouping: above 0 and not CHAR_MAX.
bool groups(char size) {
  return static_cast<signed char>(size) > 0 && size != CHAR_MAX;
}

// Copies the integer digits [first, last) to `out` with a separator between
// their groups, counted from the right: the first size of `grouping` for
// the group nearest the decimal point, the next for the group before it,
// and so on, the last size repeating, until a size that ends grouping
// leaves the leading digits in one piece. Returns the end of the copy.
char* copyGrouped(const char* first, const char* last, char separator,
                  const std::string& grouping, char* out) {
  // The stream library reads the sizes up to the first NUL.
  const std::size_t sizes = std::strlen(grouping.c_str());
  std::size_t index = 0, repeats = 0;
  while (last - first > grouping[index] && groups(grouping[index])) {
    last -= grouping[index];
    if (index + 1 < sizes) {
      ++index;
    } else {
      ++repeats;
    }
  }
  while (first < last) *out++ = *first++;
  for (; repeats > 0; --repeats) {
    *out++ = separator;
    for (int i = grouping[index]; i > 0; --i) *out++ = *first++;
  }
  while (index-- > 0) {
    *out++ = separator;
    for (int i = grouping[index]; i > 0; --i) *out++ = *first++;
  }
  return out;
}

// The exact six-digit conversion, as printf("%.6g") writes it: slower.
char* exactGeneral(float value, char* out) {
  return std::to_chars(out, out + 32, value, std::chars_format::general, 6).ptr;
}

// Writes `value` as printf("%.6g") does into `out`, which has room for 32
// characters, and returns the end. The shortest digits that read back as
// `value` are found first, which is quick; when there are six or fewer, they
// are the six-digit rounding of the value itself, since a float lies closer to
// them than half a unit of the sixth digit. When there are more, rounding
// them at the sixth gives the same digits as rounding the value, except
// where they end in exactly a half: only the value itself can settle that
// tie, and the exact conversion does.
char* formatGeneral(float value, char* out) {
  // Infinities and NaNs as the stream writes them: to_chars spells a NaN
  // differently from one C++ library to the next ("-nan(ind)").
  if (!std::isfinite(value)) {
    if (std::signbit(value)) *out++ = '-';
    for (const char* name = std::isnan(value) ? "nan" : "inf"; *name; ++name)
      *out++ = *name;
    return out;
  }
  // Zeros and subnormals (too few bits for the reasoning above): the exact
  // conversion.
  const float magnitude = std::fabs(value);
  if (!(magnitude >= std::numeric_limits<float>::min() &&
        magnitude <= std::numeric_limits<float>::max()))
    return exactGeneral(value, out);
  char shortest[32];
  const char* const shortestEnd =
      std::to_chars(shortest, shortest + sizeof shortest, value,
                    std::chars_format::scientific)
          .ptr;
  const char* mark = shortestEnd - 1;
  while (*mark != 'e') --mark;

  // Gather the significant digits and the decimal exponent of the first.
  const char* next = shortest;
  const bool negative = *next == '-';
  if (negative) ++next;
  char digits[16];
  int count = 0;
  for (; next < mark; ++next) {
    if (*next != '.') digits[count++] = *next;
  }
  // The exponent: a sign, then two digits for any float.
  int exponent = (mark[2] - '0') * 10 + (mark[3] - '0');
  if (mark[1] == '-') exponent = -exponent;

  if (count > 6) {
    if (count == 7 && digits[6] == '5') return exactGeneral(value, out);
    const bool roundUp = digits[6] >= '5';
    count = 6;
    if (roundUp) {
      int at = 5;
      while (at >= 0 && digits[at] == '9') digits[at--] = '0';
      if (at >= 0) {
        ++digits[at];
      } else {  // 999999.5 and the like: one more digit to the left
        digits[0] = '1';
        ++exponent;
      }
    }
  }
  while (count > 1 && digits[count - 1] == '0') --count;

  char* write = out;
  if (negative) *write++ = '-';
  if (exponent >= -4 && exponent < 6) {
    if (exponent < 0) {  // 0.000ddd
      *write++ = '0';
      *write++ = '.';
      for (int zero = -1; zero > exponent; --zero) *write++ = '0';
      for (int i = 0; i < count; ++i) *write++ = digits[i];
      return write;
    }
    for (int i = 0; i <= exponent; ++i) *write++ = i < count ? digits[i] : '0';
    if (count > exponent + 1) {
      *write++ = '.';
      for (int i = exponent + 1; i < count; ++i) *write++ = digits[i];
    }
    return write;
  }
  *write++ = digits[0];
  if (count > 1) {
    *write++ = '.';
    for (int i = 1; i < count; ++i) *write++ = digits[i];
  }
  *write++ = 'e';
  *write++ = exponent < 0 ? '-' : '+';
  const int exponentDigits = exponent < 0 ? -exponent : exponent;
  if (exponentDigits < 10) *write++ = '0';
  return std::to_chars(write, out + 32, exponentDigits).ptr;
}

}  // namespace

void appendNumber(float value, const NumberFormat& format, std::string* text) {
  char digits[32];
  const char* const end = formatGeneral(value, digits);
  const std::size_t length = static_cast<std::size_t>(end - digits);
  char* point = digits;
  while (point < end && *point != '.') ++point;
  if (point < end) {
    *point = format.decimalPoint;
  } else {
    point = nullptr;
  }

  // The stream groups a number with a decimal point, a short one, or one
  // whose second and third characters are digits: never the mantissa of an
  // exponent form such as 1e+06, nor an infinity or a NaN.
  const bool grouped =
      !format.grouping.empty() && groups(format.grouping[0]) &&
      (point || length < 3 || (isDigit(digits[1]) && isDigit(digits[2])));
  if (!grouped) {
    text->append(digits, length);
    return;
  }
  // At most six integer digits, each of which may get a separator.
  char withGroups[96];
  char* write = withGroups;
  const char* first = digits;
  if (*first == '-' || *first == '+') *write++ = *first++;
  const char* const integerEnd = point ? point : end;
  write = copyGrouped(first, integerEnd, format.thousandsSeparator,
                      format.grouping, write);
  for (const char* rest = integerEnd; rest < end; ++rest) *write++ = *rest;
  text->append(withGroups, static_cast<std::size_t>(write - withGroups));
}
