#ifndef LUMTREL_PHOTOMETRY_HEADER_ITEMS_H_
#define LUMTREL_PHOTOMETRY_HEADER_ITEMS_H_

#include <string>
#include <vector>

#include "photometry/photometric_data.h"

/// Collects the header items of one file as a reader meets them, up to
/// PhotometricData::kMaxHeaderItems items and kMaxHeaderBytes bytes of
/// text; past either it keeps nothing more and notes that the header is not
/// whole.
class HeaderItems {
 public:
  /// Adds an item that is text.
  void text(const char* label, std::string text);
  /// Adds an item that is a number, `value` the double nearest its text.
  void number(const char* label, double value);
  /// Adds an item given as text, a number when `isNumber`.
  void add(std::string label, std::string text, bool isNumber, double value);

  /// Notes that the header held items that were not kept.
  void markIncomplete() { whole_ = false; }

  /// Whether the last item added is a number, and its value; false when it
  /// was not kept.
  bool lastIsNumber() const { return whole_ && items_.back().isNumber; }
  double lastNumber() const { return items_.back().number; }

  /// Moves the items into `record`'s header, and whether they are whole.
  void moveTo(PhotometricData* record);

 private:
  std::vector<HeaderItem> items_;
  std::size_t bytes_ = 0;
  bool whole_ = true;
};

#endif  // LUMTREL_PHOTOMETRY_HEADER_ITEMS_H_
