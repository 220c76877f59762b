#include <windows.h>

#include <climits>

#include "export/number_format.h"

namespace {

std::wstring userLocaleInfo(LCTYPE item) {
  wchar_t text[32];
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 32);
  return length > 1 ? std::wstring(text, length - 1) : std::wstring();
}

// The character, when `text` is exactly one ASCII character; 0 otherwise.
char singleAscii(const std::wstring& text) {
  return text.size() == 1 && text[0] > 0 && text[0] < 0x80
             ? static_cast<char>(text[0])
             : '\0';
}

// Windows writes group sizes as "3;0": sizes from the right, where a final
// 0 repeats the size before it ("3;0" threes, "3;2;0" a three then twos) and
// without it the last group is not repeated ("3": one group of three only).
std::string standardGrouping(const std::wstring& windowsGrouping) {
  std::string sizes;
  int size = 0;
  for (const wchar_t character : windowsGrouping + L';') {
    if (character == L';') {
      sizes.push_back(static_cast<char>(size < CHAR_MAX ? size : CHAR_MAX));
      size = 0;
    } else if (character >= L'0' && character <= L'9') {
      size = size < CHAR_MAX ? size * 10 + (character - L'0') : CHAR_MAX;
    }
  }
  if (sizes.empty() || sizes[0] == 0) return {};
  if (sizes.back() == 0) {
    sizes.pop_back();
  } else {
    sizes.push_back(CHAR_MAX);
  }
  return sizes;
}

}  // namespace

NumberFormat environmentNumberFormat() {
  NumberFormat format;
  const char decimalPoint = singleAscii(userLocaleInfo(LOCALE_SDECIMAL));
  if (decimalPoint) format.decimalPoint = decimalPoint;
  const char separator = singleAscii(userLocaleInfo(LOCALE_STHOUSAND));
  if (separator) {
    format.thousandsSeparator = separator;
    format.grouping = standardGrouping(userLocaleInfo(LOCALE_SGROUPING));
  }
  return format;
}
