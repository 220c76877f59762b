#include "photometry/ies_reader.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "photometry/file_path.h"
#include "photometry/real_text.h"

namespace {

bool isWhitespace(char c) {
  // Space, or tab, line feed, vertical tab, form feed, carriage return.
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSign(char c) { return c == '+' || c == '-'; }

// The characters that stream extraction takes for an integer: a sign, then
// digits. Returns where they end.
const char* scanInteger(const char* next, const char* end) {
  if (next < end && isSign(*next)) ++next;
  while (next < end && isDigit(*next)) ++next;
  return next;
}

// The characters that stream extraction takes for a real: a sign, digits
// with at most one decimal point, then, once a digit has been seen, one
// exponent mark with an optional sign and digits. What is taken need not
// form a number ("1e+", "."); the conversion decides.
const char* scanReal(const char* next, const char* end) {
  if (next < end && isSign(*next)) ++next;
  bool digitSeen = false, pointSeen = false;
  for (; next < end; ++next) {
    if (isDigit(*next)) {
      digitSeen = true;
    } else if (*next == '.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (next == end || (*next != 'e' && *next != 'E') || !digitSeen) return next;
  ++next;
  if (next < end && isSign(*next)) ++next;
  while (next < end && isDigit(*next)) ++next;
  return next;
}

// Converts the text of a real the quick way where that is exact: digits
// with at most one decimal point, no exponent, making an integer of at most
// 2^24 scaled by at most ten decimal places. Both are then exact floats, and
// the one division rounds once, correctly, as a full conversion would.
// Returns false, leaving `value` alone, for any other text.
bool quickReal(const char* next, const char* end, float* value) {
  static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                           1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  constexpr std::uint32_t kLargestExact = 1u << 24;
  bool negative = false;
  if (next < end && isSign(*next)) negative = *next++ == '-';
  std::uint32_t digits = 0;
  int places = 0;
  bool digitSeen = false, pointSeen = false;
  for (; next < end; ++next) {
    if (*next == '.' && !pointSeen) {
      pointSeen = true;
      continue;
    }
    if (!isDigit(*next)) return false;
    digits = digits * 10 + static_cast<std::uint32_t>(*next - '0');
    if (digits > kLargestExact) return false;
    digitSeen = true;
    if (pointSeen && ++places > 10) return false;
  }
  if (!digitSeen) return false;
  const float magnitude = static_cast<float>(digits) / kPowersOfTen[places];
  *value = negative ? -magnitude : magnitude;
  return true;
}

const char* scanToken(const char* next, const char* end) {
  while (next < end && !isWhitespace(*next)) ++next;
  return next;
}

}  // namespace

IesReader::IesReader(std::size_t bufferSize)
    : bufferSize_(bufferSize > 0 ? bufferSize : 1) {}

bool IesReader::open(const std::string& path) {
  const std::filesystem::path file = pathFromUtf8(path);
  if (!isRegularFile(file)) return false;
  // Binary: a carriage return is whitespace like any other, so CRLF, LF and
  // CR line ends read alike, and a stray Ctrl-Z does not end the file early
  // as Windows' text mode would.
  file_.open(file, std::ios::in | std::ios::binary);
  buffer_.resize(bufferSize_);
  return file_.is_open();
}

bool IesReader::readToken(std::string* token) {
  if (failed_ || !skipWhitespace()) return fail();
  // Taken a buffer at a time: a token is not converted, so it need not lie
  // whole in the buffer, which keeps its size even for a file that is one
  // long token.
  token->clear();
  for (;;) {
    const char* const first = buffer_.data() + position_;
    const char* const last = buffer_.data() + end_;
    const char* const stop = scanToken(first, last);
    token->append(first, stop);
    position_ += static_cast<std::size_t>(stop - first);
    if (stop < last || !readMore()) return true;
  }
}

bool IesReader::readInteger(int* value) {
  if (failed_ || !skipWhitespace()) return fail();
  const std::size_t length = itemLength(scanInteger);
  const char* first = &buffer_[position_];
  const char* const last = first + length;
  position_ += length;
  if (first < last && *first == '+') ++first;
  // from_chars refuses a value beyond the int range, as extraction does.
  const auto [stop, error] = std::from_chars(first, last, *value);
  if (error != std::errc() || stop != last) return fail();
  return true;
}

bool IesReader::readReal(float* value) {
  if (failed_ || !skipWhitespace()) return fail();
  const std::size_t length = itemLength(scanReal);
  const char* first = &buffer_[position_];
  const char* const last = first + length;
  position_ += length;
  if (quickReal(first, last, value)) return true;
  if (first < last && *first == '+') ++first;
  if (!realFromText(first, last, value)) return fail();
  return true;
}

// Skips whitespace, reading on as needed. Returns false at the end of the
// file.
bool IesReader::skipWhitespace() {
  for (;;) {
    while (position_ < end_ && isWhitespace(buffer_[position_])) ++position_;
    if (position_ < end_ || !readMore()) return position_ < end_;
  }
}

// Reads more of the file behind the unread bytes, first moving them to the
// front of the buffer, and growing it only when they fill it whole. Returns
// false once the file has ended.
bool IesReader::readMore() {
  if (fileEnded_) return false;
  if (position_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + position_, end_ - position_);
    end_ -= position_;
    position_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  const std::streamsize got =
      file_.rdbuf()->sgetn(buffer_.data() + end_,
                           static_cast<std::streamsize>(buffer_.size() - end_));
  if (got <= 0) {
    fileEnded_ = true;
    return false;
  }
  end_ += static_cast<std::size_t>(got);
  return true;
}

// The length of the number at the cursor, as `scan` delimits it. One that
// runs up to the end of the bytes read so far may go on in the file: read
// more, growing the buffer if it must, and scan it again.
template <typename Scan>
std::size_t IesReader::itemLength(Scan scan) {
  for (;;) {
    const char* const first = buffer_.data() + position_;
    const char* const last = buffer_.data() + end_;
    const char* const stop = scan(first, last);
    if (stop < last || !readMore())
      return static_cast<std::size_t>(stop - first);
  }
}

bool IesReader::fail() {
  failed_ = true;
  return false;
}
