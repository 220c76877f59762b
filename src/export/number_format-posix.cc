#include <locale>
#include <stdexcept>

#include "export/number_format.h"

NumberFormat environmentNumberFormat() {
  // An environment that names a locale which isn't installed gets the
  // classic conventions, as C programs do, rather than no table at all.
  std::locale environment = std::locale::classic();
  try {
    environment = std::locale("");
  } catch (const std::runtime_error&) {
  }
  const auto& punctuation = std::use_facet<std::numpunct<char>>(environment);
  return {punctuation.decimal_point(), punctuation.thousands_sep(),
          punctuation.grouping()};
}
