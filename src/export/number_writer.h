#ifndef LUMTREL_EXPORT_NUMBER_WRITER_H_
#define LUMTREL_EXPORT_NUMBER_WRITER_H_

#include <string>

#include "export/number_format.h"

/// Appends `value` to `text` as a C++ stream writes a float by default,
/// imbued with a locale whose number punctuation is `format`: general
/// notation with six significant digits and no trailing zeros (the digits
/// of printf("%.6g")), `format`'s decimal point in place of ".", and the
/// integer digits grouped by `format`'s grouping, never inside an exponent.
/// Signs, -0, infinities and NaNs come out as the stream writes them.
void appendNumber(float value, const NumberFormat& format, std::string* text);

#endif  // LUMTREL_EXPORT_NUMBER_WRITER_H_
