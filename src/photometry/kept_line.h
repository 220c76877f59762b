#ifndef LUMTREL_PHOTOMETRY_KEPT_LINE_H_
#define LUMTREL_PHOTOMETRY_KEPT_LINE_H_

#include <cstddef>
#include <string>

/// A line of header text as a reader keeps it for the workbook: its first
/// kMaxBytes bytes (four bytes for each of the 32,767 characters that a
/// spreadsheet cell holds), the rest passed over and never held. A UTF-8
/// sequence that the cut splits is dropped whole.
class KeptLine {
 public:
  static constexpr std::size_t kMaxBytes = 4 * 32767;

  /// Adds the bytes [first, last) of the line, as far as they fit.
  void append(const char* first, const char* last);

  /// Hands out the line kept so far and starts the next one empty.
  std::string take();

 private:
  std::string text_;
  bool cut_ = false;
};

#endif  // LUMTREL_PHOTOMETRY_KEPT_LINE_H_
