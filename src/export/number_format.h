#ifndef LUMTREL_EXPORT_NUMBER_FORMAT_H_
#define LUMTREL_EXPORT_NUMBER_FORMAT_H_

#include <string>

/// The user's own way of writing numbers, as far as the table uses it: the
/// decimal separator and the grouping of the integer digits.
struct NumberFormat {
  char decimalPoint = '.';
  char thousandsSeparator = ',';
  /// Group sizes from the right, as std::numpunct::grouping() gives them:
  /// one character a group, the last one repeated; a size of 0 or less, or
  /// CHAR_MAX, ends the grouping there. Empty: no grouping.
  std::string grouping;
};

/// The number format of the user's environment. On Windows: the regional
/// format of the user's default locale, the user's own changes included; a
/// separator that is not one ASCII character is not used (a decimal point
/// instead, no grouping instead), so the table stays plain single-byte text.
/// Elsewhere: the environment locale's numeric conventions as the C library
/// gives them (LC_ALL, LC_NUMERIC, LANG), whatever the C++ library; a group
/// separator of several bytes becomes one character (a no-break space a
/// space, U+2019 and U+066C an apostrophe) or, when none stands for it, no
/// grouping; a decimal point of several bytes becomes the point. The
/// classic format when the environment names a locale that isn't
/// installed. Never fails.
NumberFormat environmentNumberFormat();

#endif  // LUMTREL_EXPORT_NUMBER_FORMAT_H_
