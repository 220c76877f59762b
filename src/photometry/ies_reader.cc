#include "photometry/ies_reader.h"

#include <charconv>
#include <utility>

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
inline const char* scanReal(const char* next, const char* end) {
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

const char* scanToken(const char* next, const char* end) {
  while (next < end && !isWhitespace(*next)) ++next;
  return next;
}

}  // namespace

IesReader::IesReader(std::size_t bufferSize) : buffer_(bufferSize) {}

bool IesReader::open(const std::string& path) { return buffer_.open(path); }

bool IesReader::readToken(std::string* token) {
  if (failed_ || !skipWhitespace()) return fail();
  // Taken a buffer at a time: a token is not converted, so it need not lie
  // whole in the buffer, which keeps its size even for a file that is one
  // long token.
  token->clear();
  for (;;) {
    const char* const stop = scanToken(buffer_.next(), buffer_.end());
    token->append(buffer_.next(), stop);
    if (keptLines_) keep(buffer_.next(), stop);
    buffer_.advance(stop);
    if (stop < buffer_.end() || !buffer_.readMore()) return true;
  }
}

bool IesReader::readInteger(int* value) {
  if (failed_ || !skipWhitespace()) return fail();
  const std::size_t length = itemLength(scanInteger);
  const char* first = buffer_.next();
  const char* const last = first + length;
  buffer_.advance(last);
  if (first < last && *first == '+') ++first;
  // from_chars refuses a value beyond the int range, as extraction does.
  const auto [stop, error] = std::from_chars(first, last, *value);
  if (error != std::errc() || stop != last) return fail();
  return true;
}

bool IesReader::readReal(float* value, double* exact) {
  if (failed_ || !skipWhitespace()) return fail();
  const std::size_t length = itemLength(scanReal);
  const char* const first = buffer_.next();
  buffer_.advance(first + length);
  if (!parseReal(first, first + length, value)) return fail();
  if (exact) doubleFromText(first + (*first == '+'), first + length, exact);
  return true;
}

void IesReader::keepLines(std::vector<std::string>* lines,
                          std::size_t maxBytes) {
  keptLines_ = lines;
  keptBytesLeft_ = maxBytes;
}

std::string IesReader::stopKeepingLines() {
  keptLines_ = nullptr;
  return line_.take();
}

// Adds the text [first, last) that a read passed over to the kept lines.
// Called only while lines are kept, so that the reads of numbers stay lean.
void IesReader::keep(const char* first, const char* last) {
  while (first < last) {
    const char* stop = first;
    while (stop < last && *stop != '\n' && *stop != '\r') ++stop;
    if (stop > first) {
      line_.append(first, stop);
      afterCarriageReturn_ = false;
    }
    if (stop == last) return;
    // A line feed right after a carriage return ends no second line.
    if (*stop == '\r' || !afterCarriageReturn_) {
      std::string line = line_.take();
      const std::size_t cost = line.size() + sizeof line;
      if (line.find_first_not_of(" \t\v\f") == std::string::npos) {
        // A blank line says nothing.
      } else if (cost <= keptBytesLeft_) {
        keptBytesLeft_ -= cost;
        keptLines_->push_back(std::move(line));
      } else {
        linesDropped_ = true;
      }
    }
    afterCarriageReturn_ = *stop == '\r';
    first = stop + 1;
  }
}

// Skips whitespace, reading on as needed. Returns false at the end of the
// file.
bool IesReader::skipWhitespace() {
  for (;;) {
    const char* next = buffer_.next();
    while (next < buffer_.end() && isWhitespace(*next)) ++next;
    if (keptLines_) keep(buffer_.next(), next);
    buffer_.advance(next);
    if (next < buffer_.end() || !buffer_.readMore())
      return buffer_.next() < buffer_.end();
  }
}

// The length of the number at the cursor, as `scan` delimits it. One that
// runs up to the end of the bytes read so far may go on in the file: read
// more, growing the buffer if it must, and scan it again.
template <typename Scan>
std::size_t IesReader::itemLength(Scan scan) {
  for (;;) {
    const char* const first = buffer_.next();
    const char* const stop = scan(first, buffer_.end());
    if (stop < buffer_.end() || !buffer_.readMore())
      return static_cast<std::size_t>(stop - first);
  }
}

bool IesReader::fail() {
  failed_ = true;
  return false;
}

bool iesNumber(const std::string& token, double* value) {
  const char* first = token.data();
  const char* const last = first + token.size();
  if (scanReal(first, last) != last) return false;
  if (first < last && *first == '+') ++first;
  return doubleFromText(first, last, value);
}
