#ifndef LUMTREL_PHOTOMETRY_LDT_READER_H_
#define LUMTREL_PHOTOMETRY_LDT_READER_H_

#include <cstdint>
#include <string>

#include "photometry/kept_line.h"
#include "photometry/read_buffer.h"

/// A forward cursor over the lines of one EULUMDAT file, where the line
/// number says what an item is. A line ends at a line feed, at one or more
/// carriage returns followed by a line feed (CRLF, and CR CR LF from a file
/// converted twice), or at a carriage return followed by anything else; the
/// last line may lack an end. A UTF-8 byte order mark at the start is
/// skipped.
///
/// A number line holds, between optional blanks (spaces, tabs), an optional
/// sign, digits with at most one decimal separator ('.' or ',') and at least
/// one digit, and an optional exponent ('e' or 'E', an optional sign,
/// digits): "2,5" is 2.5. Nothing else may stand on it.
///
/// The file is read through a buffer of fixed size, which grows only to
/// hold a single number line longer than itself: a line that is passed
/// over is never held whole.
class LdtReader {
 public:
  /// A reader whose buffer starts at `bufferSize` bytes (at least 1).
  explicit LdtReader(std::size_t bufferSize = 64 * 1024);

  /// Opens the regular file at `path`, UTF-8 text, for reading. Returns
  /// false for a path that can't be opened or that names no regular file.
  bool open(const std::string& path);

  /// Passes over the next `count` lines, whatever they hold; stops at the
  /// end of the file. Never fails.
  void skipLines(std::int64_t count);

  /// Reads the next line as a number whose value is whole and within
  /// +-2,147,483,647 ("24", "24.0", "24,0", "2.4e1"). Returns false, leaving
  /// `value` alone, at the end of the file or when the line holds no such
  /// number.
  bool readInteger(int* value);

  /// Reads the next line as a 32-bit real. Returns false, leaving `value`
  /// alone, at the end of the file, or when the line holds no number or one
  /// beyond the range of a float; a value too small for a float is read as
  /// 0 or the nearest subnormal. With `exact`, also stores there the double
  /// nearest the number's text.
  bool readReal(float* value, double* exact);
  bool readReal(float* value) { return readReal(value, nullptr); }

  /// True when the file has no more lines.
  bool atEnd();

  /// True once readInteger or readReal has read a number written with a
  /// decimal comma.
  bool decimalCommas() const { return decimalCommas_; }

  /// Reads the next line as text, without its end, keeping as much of it as
  /// KeptLine does in `text`. Returns false, with `text` empty, once the
  /// file has no more lines.
  bool readText(std::string* text);

 private:
  struct Line {
    const char* first;
    const char* last;
  };
  bool nextLine(bool keep, Line* line, KeptLine* text = nullptr);
  Line endAtCarriageReturns(std::size_t length);

  ReadBuffer buffer_;
  bool started_ = false;
  bool decimalCommas_ = false;
  // Empty lines already passed in the file but not yet handed out: the
  // carriage returns of a run that no line feed ended, after the first.
  std::int64_t emptyLinesDue_ = 0;
};

/// The double nearest the number that `line` holds as a number line (see
/// LdtReader), a decimal comma too, within the range of a double. Returns
/// false, leaving `value` alone, for a line that holds no such number.
bool ldtNumber(const std::string& line, double* value);

#endif  // LUMTREL_PHOTOMETRY_LDT_READER_H_
