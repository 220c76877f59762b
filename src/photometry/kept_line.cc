#include "photometry/kept_line.h"

#include <algorithm>
#include <utility>

namespace {

// The number of bytes a UTF-8 sequence takes that starts with `lead`; 1 for
// any byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

}  // namespace

void KeptLine::append(const char* first, const char* last) {
  if (cut_) return;
  const std::size_t room = kMaxBytes - text_.size();
  const std::size_t size = static_cast<std::size_t>(last - first);
  text_.append(first, std::min(size, room));
  if (size <= room) return;
  cut_ = true;
  // The last sequence that starts within three bytes of the cut, when the
  // cut leaves it short.
  const std::size_t tail = std::min<std::size_t>(text_.size(), 3);
  for (std::size_t back = 1; back <= tail; ++back) {
    const std::size_t at = text_.size() - back;
    const auto byte = static_cast<unsigned char>(text_[at]);
    if (byte < 0x80 || byte >= 0xC0) {
      if (sequenceLength(byte) > back) text_.erase(at);
      break;
    }
  }
}

std::string KeptLine::take() {
  cut_ = false;
  return std::exchange(text_, std::string());
}
