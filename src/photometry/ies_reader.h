#ifndef LUMTREL_PHOTOMETRY_IES_READER_H_
#define LUMTREL_PHOTOMETRY_IES_READER_H_

#include <string>
#include <vector>

#include "photometry/kept_line.h"
#include "photometry/read_buffer.h"

/// A forward cursor over the text of one IES file. Line breaks play no part:
/// each read skips leading whitespace (space, tab, line feed, carriage
/// return, vertical tab, form feed) and takes one item. Numbers are read as
/// formatted stream extraction reads them under the classic conventions:
/// a number takes only the characters that can continue it (sign, digits,
/// and for reals one decimal point and an exponent part), and the rest stays
/// for the next read, so "37.0" read as an integer yields 37 and leaves ".0".
/// Once a read has failed, every later read fails too.
///
/// For the header text before the tilt line, the reader can keep what it
/// passes over, line by line.
///
/// The file is read through a buffer of fixed size, which grows only to hold
/// a single number longer than itself: never the whole file.
class IesReader {
 public:
  /// A reader whose buffer starts at `bufferSize` bytes (at least 1).
  explicit IesReader(std::size_t bufferSize = 64 * 1024);

  /// Opens the regular file at `path`, UTF-8 text, for reading. Returns
  /// false for a path that can't be opened or that names no regular file (a
  /// directory, a device or a pipe, which could block or never end).
  bool open(const std::string& path);

  /// Reads one token, a maximal run of non-whitespace characters, into
  /// `token`. Returns false at the end of the file.
  bool readToken(std::string* token);

  /// Reads one 32-bit signed integer into `value`. Returns false at the end
  /// of the file, or when the text there is not such a number or lies
  /// beyond the 32-bit range.
  bool readInteger(int* value);

  /// Reads one 32-bit real into `value`. Returns false at the end of the file,
  /// or when the text there is not a real or lies beyond the range of a
  /// float; a value too small for a float is read as 0 or the nearest
  /// subnormal. With `exact`, also stores there the double nearest the text.
  bool readReal(float* value, double* exact);
  bool readReal(float* value) { return readReal(value, nullptr); }

  /// From now on, keeps the text that the reads pass over as lines (ended
  /// by LF, CRLF or CR), each cut as KeptLine cuts it: each line that holds
  /// more than whitespace goes to `lines` once it has ended, as long as the
  /// lines kept take at most `maxBytes` of memory in all; the rest are
  /// passed over.
  void keepLines(std::vector<std::string>* lines, std::size_t maxBytes);

  /// Stops keeping lines, and hands out the line not yet ended: the text
  /// since the last line end, up to the end of the last item read.
  std::string stopKeepingLines();

  /// True when some lines were not kept for want of room.
  bool linesDropped() const { return linesDropped_; }

 private:
  bool skipWhitespace();
  template <typename Scan>
  std::size_t itemLength(Scan scan);
  bool fail();
  void keep(const char* first, const char* last);

  ReadBuffer buffer_;
  bool failed_ = false;
  std::vector<std::string>* keptLines_ = nullptr;
  std::size_t keptBytesLeft_ = 0;
  KeptLine line_;
  bool afterCarriageReturn_ = false;
  bool linesDropped_ = false;
};

/// The double nearest the text of `token` when the whole token is one real
/// as the reader reads it (an optional sign, digits with at most one
/// decimal point, an exponent part) within the range of a double. Returns
/// false, leaving `value` alone, for any other token.
bool iesNumber(const std::string& token, double* value);

#endif  // LUMTREL_PHOTOMETRY_IES_READER_H_
