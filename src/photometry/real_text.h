#ifndef LUMTREL_PHOTOMETRY_REAL_TEXT_H_
#define LUMTREL_PHOTOMETRY_REAL_TEXT_H_

/// Converts the text [first, last) of a real, as the reader delimits it (an
/// optional '-', digits with at most one decimal point, an exponent part),
/// to the nearest 32-bit float under the classic conventions. Returns false,
/// leaving `value` alone, when the text is not one whole real ("1e+", ".")
/// or lies beyond the float range; a value too small for a float becomes 0
/// or the nearest subnormal, as stream extraction reads it.
///
/// The build picks one of two conversions: std::from_chars where the C++
/// library has it for floats, strtof where it does not (libc++ up to 19).
/// Both round correctly, so they give the same float for every text.
bool realFromText(const char* first, const char* last, float* value);

/// Converts the text [first, last) of a real as a reader delimits it: an
/// optional sign ('+' too), digits with at most one `decimalSeparator`, an
/// exponent part. Plain decimals that convert exactly take a quick path;
/// the rest goes through realFromText, whose results and failures it
/// shares. Returns false, leaving `value` alone, when the text is no real.
bool parseReal(const char* first, const char* last, float* value,
               char decimalSeparator = '.');

#endif  // LUMTREL_PHOTOMETRY_REAL_TEXT_H_
