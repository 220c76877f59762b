#include "photometry/header_items.h"

#include <utility>

void HeaderItems::text(const char* label, std::string text) {
  add(label, std::move(text), false, 0);
}

void HeaderItems::number(const char* label, double value) {
  add(label, std::string(), true, value);
}

void HeaderItems::add(std::string label, std::string text, bool isNumber,
                      double value) {
  if (!whole_) return;
  // What the item takes in memory, its text and its own size.
  bytes_ += label.size() + text.size() + sizeof(HeaderItem);
  if (items_.size() == PhotometricData::kMaxHeaderItems ||
      bytes_ > PhotometricData::kMaxHeaderBytes) {
    whole_ = false;
    return;
  }
  if (isNumber) text.clear();
  items_.push_back({std::move(label), std::move(text), isNumber, value});
}

void HeaderItems::moveTo(PhotometricData* record) {
  record->header = std::move(items_);
  record->headerWhole = whole_;
}
