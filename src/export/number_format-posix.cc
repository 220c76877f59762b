#include <locale.h>  // newlocale, uselocale, freelocale

#include <clocale>
#include <cstring>
#include <cwchar>

#include "export/number_format.h"

namespace {

// The user's environment locale, every category, as the C library builds
// it from LC_ALL, LC_* and LANG; none when they name a locale that isn't
// installed. It becomes the calling thread's locale for as long as this
// lives.
class EnvironmentLocale {
 public:
  EnvironmentLocale()
      : locale_(newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0))),
        previous_(locale_ ? uselocale(locale_) : static_cast<locale_t>(0)) {}
  ~EnvironmentLocale() {
    if (!locale_) return;
    uselocale(previous_);
    freelocale(locale_);
  }
  EnvironmentLocale(const EnvironmentLocale&) = delete;
  EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;

  bool found() const { return locale_ != static_cast<locale_t>(0); }

 private:
  const locale_t locale_;
  const locale_t previous_;
};

// The one character that stands for a group separator the locale writes as
// several bytes, in the thread's locale: a no-break space becomes a plain
// space, and an apostrophe-like mark (Swiss U+2019, Arabic U+066C) the
// apostrophe, as libstdc++ narrows them; any other, 0: no grouping. The C++
// libraries narrow differently (libc++ drops U+2019), so the table reads
// the C library's text itself and writes the same bytes with either.
char narrowSeparator(const char* separator) {
  if (separator[0] == '\0' || separator[1] == '\0') return separator[0];
  std::mbstate_t state{};
  wchar_t character = 0;
  const std::size_t length = std::strlen(separator);
  if (std::mbrtowc(&character, separator, length, &state) != length) return 0;
  switch (static_cast<unsigned long>(character)) {
    case 0x00A0:  // no-break space
    case 0x202F:  // narrow no-break space
      return ' ';
    case 0x2019:  // right single quotation mark
    case 0x066C:  // Arabic thousands separator
      return '\'';
    default:
      return 0;
  }
}

}  // namespace

NumberFormat environmentNumberFormat() {
  NumberFormat format;
  // A locale that isn't installed gets the classic conventions, as C
  // programs do, rather than no table at all.
  const EnvironmentLocale environment;
  if (!environment.found()) return format;
  const std::lconv* const conventions = std::localeconv();
  // A decimal point of several bytes (Arabic U+066B) can't be one character
  // of the table: the point stands in, as on Windows.
  const char* const point = conventions->decimal_point;
  if (point[0] != '\0' && point[1] == '\0') format.decimalPoint = point[0];
  const char separator = narrowSeparator(conventions->thousands_sep);
  if (separator) {
    format.thousandsSeparator = separator;
    format.grouping = conventions->grouping;
  }
  return format;
}
