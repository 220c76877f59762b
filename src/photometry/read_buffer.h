#ifndef LUMTREL_PHOTOMETRY_READ_BUFFER_H_
#define LUMTREL_PHOTOMETRY_READ_BUFFER_H_

#include <fstream>
#include <string>
#include <vector>

/// The bytes of one regular file, read strictly forward through a buffer.
/// The readers look at the unread bytes in [next(), end()), take what they
/// need with advance(), and ask for more with readMore(). The buffer keeps
/// its size unless the unread bytes fill it whole: it then doubles, so a
/// reader that takes its items as it goes never holds the file whole.
class ReadBuffer {
 public:
  /// A buffer of `size` bytes (at least 1).
  explicit ReadBuffer(std::size_t size);

  /// Opens the regular file at `path` for reading, in binary. Returns false
  /// for a path that can't be opened or that names no regular file (a
  /// directory, a device or a pipe, which could block or never end).
  bool open(const std::string& path);

  /// The unread bytes read so far. Valid until the next readMore().
  const char* next() const { return bytes_.data() + position_; }
  const char* end() const { return bytes_.data() + end_; }

  /// Takes the unread bytes before `to`, a place within [next(), end()].
  void advance(const char* to) {
    position_ = static_cast<std::size_t>(to - bytes_.data());
  }

  /// Forgets the bytes read from `from`, a place within [next(), end()], to
  /// end(), once the reader has taken what it needs of them.
  void forgetFrom(const char* from) {
    end_ = static_cast<std::size_t>(from - bytes_.data());
  }

  /// Reads more of the file behind the unread bytes. Returns false once the
  /// file has ended.
  bool readMore();

 private:
  std::ifstream file_;
  std::vector<char> bytes_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool fileEnded_ = false;
};

#endif  // LUMTREL_PHOTOMETRY_READ_BUFFER_H_
