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

/// Converts the text [first, last) of a real that a reader has already
/// delimited and checked, with '.' as its decimal point, to the nearest
/// double. Returns false, leaving `value` alone, when the text is no real
/// or lies beyond the range of a double; a value too small becomes 0 or the
/// nearest subnormal. Picked by the build as realFromText is.
bool doubleFromText(const char* first, const char* last, double* value);

/// The double nearest to the shortest decimal that reads back as `value`:
/// a float read from "0.1" gives 0.1, not 0.100000001490116. Infinities and
/// NaNs stay as they are.
double shortestDouble(float value);

#endif  // LUMTREL_PHOTOMETRY_REAL_TEXT_H_
