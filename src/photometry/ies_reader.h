#ifndef LUMTREL_PHOTOMETRY_IES_READER_H_
#define LUMTREL_PHOTOMETRY_IES_READER_H_

#include <fstream>
#include <string>

/// A forward cursor over the text of one IES file. Line breaks play no part:
/// each read skips leading whitespace and takes one item. Numbers follow the
/// classic conventions (decimal point, no digit grouping) whatever the user's
/// locale, and a number takes only the characters that can continue it, so
/// "37.0" read as an integer yields 37 and leaves ".0" for the next read.
/// Once a read has failed, every later read fails too.
class IesReader {
 public:
  /// Opens the regular file at `path` for reading as text. Returns false for
  /// a path that can't be opened or that names no regular file (a directory,
  /// a device or a pipe, which could block or never end).
  bool open(const std::string& path);

  /// Reads one token, a maximal run of non-whitespace characters, into
  /// `token`. Returns false at the end of the file.
  bool readToken(std::string* token);

  /// Reads one 32-bit signed integer into `value`. Returns false at the end
  /// of the file, or when the text there is not such a number.
  bool readInteger(int* value);

  /// Reads one 32-bit real into `value`. Returns false at the end of the file,
  /// or when the text there is not a real within the range of a float.
  bool readReal(float* value);

 private:
  std::ifstream stream_;
};

#endif  // LUMTREL_PHOTOMETRY_IES_READER_H_
