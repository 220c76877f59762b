#include "photometry/read_buffer.h"

#include <cstring>

#include "photometry/file_path.h"

ReadBuffer::ReadBuffer(std::size_t size) : bytes_(size > 0 ? size : 1) {}

bool ReadBuffer::open(const std::string& path) {
  const std::filesystem::path file = pathFromUtf8(path);
  if (!isRegularFile(file)) return false;
  // Binary: the readers take carriage returns as they come, and a stray
  // Ctrl-Z does not end the file early as Windows' text mode would.
  file_.open(file, std::ios::in | std::ios::binary);
  return file_.is_open();
}

// Moves the unread bytes to the front of the buffer first, and grows it only
// when they fill it whole.
bool ReadBuffer::readMore() {
  if (fileEnded_) return false;
  if (position_ > 0) {
    std::memmove(bytes_.data(), bytes_.data() + position_, end_ - position_);
    end_ -= position_;
    position_ = 0;
  }
  if (end_ == bytes_.size()) bytes_.resize(bytes_.size() * 2);
  const std::streamsize got = file_.rdbuf()->sgetn(
      bytes_.data() + end_, static_cast<std::streamsize>(bytes_.size() - end_));
  if (got <= 0) {
    fileEnded_ = true;
    return false;
  }
  end_ += static_cast<std::size_t>(got);
  return true;
}
