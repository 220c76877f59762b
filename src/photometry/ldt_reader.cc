#include "photometry/ldt_reader.h"

#include "photometry/real_text.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSign(char c) { return c == '+' || c == '-'; }

// The parts of a number line, once its form has been checked.
struct NumberText {
  const char* first;  // the number without its blanks: [first, last)
  const char* last;
  bool negative;
  const char* wholeDigits;  // [wholeDigits, separator): before the separator
  const char* separator;    // where the separator is, or the digits' end
  const char* fractionEnd;  // [separator + 1, fractionEnd): after it
  char separatorChar;       // '.' or ',', or '.' when there is none
  long long exponent;       // held within +-100,000, far beyond any float
};

const char* skipDigits(const char* next, const char* last) {
  while (next < last && isDigit(*next)) ++next;
  return next;
}

// Checks that [first, last) holds one number between optional blanks, and
// finds its parts. Returns false for any other text.
bool splitNumber(const char* first, const char* last, NumberText* number) {
  while (first < last && isBlank(*first)) ++first;
  while (last > first && isBlank(last[-1])) --last;
  number->first = first;
  number->last = last;
  number->negative = first < last && *first == '-';
  const char* next = first < last && isSign(*first) ? first + 1 : first;
  number->wholeDigits = next;
  next = skipDigits(next, last);
  number->separator = next;
  number->fractionEnd = next;
  number->separatorChar = '.';
  if (next < last && (*next == '.' || *next == ',')) {
    number->separatorChar = *next;
    next = number->fractionEnd = skipDigits(next + 1, last);
  }
  const bool hasSeparator = number->fractionEnd != number->separator;
  const std::ptrdiff_t digitCount = (number->separator - number->wholeDigits) +
                                    (number->fractionEnd - number->separator) -
                                    (hasSeparator ? 1 : 0);
  if (digitCount == 0) return false;
  number->exponent = 0;
  if (next < last && (*next == 'e' || *next == 'E')) {
    ++next;
    const bool negativeExponent = next < last && *next == '-';
    if (next < last && isSign(*next)) ++next;
    if (next == last || !isDigit(*next)) return false;
    for (; next < last && isDigit(*next); ++next) {
      if (number->exponent < 100000)
        number->exponent = number->exponent * 10 + (*next - '0');
    }
    if (negativeExponent) number->exponent = -number->exponent;
  }
  return next == last;
}

// The value of `number` when it is whole and within +-2,147,483,647, worked
// out on its digits, so that no rounding can make a fraction whole.
bool wholeValue(const NumberText& number, int* value) {
  // The digits, before and after the separator, as one string of decimals
  // with the decimal point `point` places from its start.
  std::string digits(number.wholeDigits, number.separator);
  if (number.fractionEnd != number.separator)
    digits.append(number.separator + 1, number.fractionEnd);
  long long point = (number.separator - number.wholeDigits) + number.exponent;
  const std::size_t leading = digits.find_first_not_of('0');
  if (leading == std::string::npos) {
    *value = 0;
    return true;
  }
  digits.erase(0, leading);
  point -= static_cast<long long>(leading);
  digits.erase(digits.find_last_not_of('0') + 1);
  // Whole when no nonzero digit stands after the point; then the value is
  // the digits followed by zeros up to the point, ten digits at most.
  if (point < static_cast<long long>(digits.size()) || point > 10) return false;
  long long magnitude = 0;
  for (long long place = 0; place < point; ++place) {
    const std::size_t at = static_cast<std::size_t>(place);
    magnitude = magnitude * 10 + (at < digits.size() ? digits[at] - '0' : 0);
  }
  if (magnitude > 2147483647) return false;
  *value = static_cast<int>(number.negative ? -magnitude : magnitude);
  return true;
}

// The double nearest the number's text.
bool exactNumber(const NumberText& number, double* value) {
  std::string text(number.first + (*number.first == '+'), number.last);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return doubleFromText(text.data(), text.data() + text.size(), value);
}

}  // namespace

LdtReader::LdtReader(std::size_t bufferSize) : buffer_(bufferSize) {}

bool LdtReader::open(const std::string& path) { return buffer_.open(path); }

void LdtReader::skipLines(std::int64_t count) {
  Line line;
  for (std::int64_t i = 0; i < count && nextLine(false, &line); ++i) {
  }
}

bool LdtReader::readInteger(int* value) {
  Line line;
  NumberText number;
  if (!nextLine(true, &line) || !splitNumber(line.first, line.last, &number) ||
      !wholeValue(number, value))
    return false;
  if (number.separatorChar == ',') decimalCommas_ = true;
  return true;
}

bool LdtReader::readReal(float* value, double* exact) {
  Line line;
  NumberText number;
  if (!nextLine(true, &line) || !splitNumber(line.first, line.last, &number) ||
      !parseReal(number.first, number.last, value, number.separatorChar))
    return false;
  if (exact) exactNumber(number, exact);
  if (number.separatorChar == ',') decimalCommas_ = true;
  return true;
}

bool LdtReader::atEnd() {
  return emptyLinesDue_ == 0 && buffer_.next() == buffer_.end() &&
         !buffer_.readMore();
}

bool LdtReader::readText(std::string* text) {
  Line line;
  KeptLine kept;
  const bool read = nextLine(false, &line, &kept);
  *text = kept.take();
  return read;
}

bool ldtNumber(const std::string& line, double* value) {
  NumberText number;
  const char* const first = line.data();
  return splitNumber(first, first + line.size(), &number) &&
         exactNumber(number, value);
}

// Hands out the next line, without its end, and takes it and its end from
// the buffer. A line that is not kept need not be whole in the buffer, and
// is handed out empty. Returns false once the file has no more lines.
bool LdtReader::nextLine(bool keep, Line* line, KeptLine* text) {
  if (!started_) {
    started_ = true;
    // A byte order mark may take several reads to see whole in a tiny buffer.
    while (buffer_.end() - buffer_.next() < 3 && buffer_.readMore()) {
    }
    const char* const next = buffer_.next();
    if (buffer_.end() - next >= 3 && next[0] == '\xEF' && next[1] == '\xBB' &&
        next[2] == '\xBF')
      buffer_.advance(next + 3);
  }
  if (emptyLinesDue_ > 0) {
    --emptyLinesDue_;
    *line = {buffer_.next(), buffer_.next()};
    return true;
  }
  if (buffer_.next() == buffer_.end() && !buffer_.readMore()) return false;
  std::size_t length = 0;  // bytes of the line known to hold no line end
  for (;;) {
    const char* const first = buffer_.next();
    const char* const end = buffer_.end();
    const char* stop = first + length;
    while (stop < end && *stop != '\n' && *stop != '\r') ++stop;
    length = static_cast<std::size_t>(stop - first);
    if (stop < end && *stop == '\n') {
      *line = {first, stop};
      buffer_.advance(stop + 1);
      if (text) text->append(line->first, line->last);
      return true;
    }
    if (stop < end) {
      *line = endAtCarriageReturns(length);
      if (text) text->append(line->first, line->last);
      return true;
    }
    if (!keep) {
      if (text) text->append(first, end);
      buffer_.advance(end);
      length = 0;
    }
    if (!buffer_.readMore()) {
      // The last line, with no line end.
      *line = {buffer_.next(), buffer_.end()};
      buffer_.advance(buffer_.end());
      if (text) text->append(line->first, line->last);
      return true;
    }
  }
}

// Ends the line of `length` bytes at the run of carriage returns that
// follows it. A line feed after the run makes the whole run one line end;
// otherwise each carriage return ends a line, and all but the first end
// empty lines, handed out by the next reads. The run is counted, not held,
// however long it is.
LdtReader::Line LdtReader::endAtCarriageReturns(std::size_t length) {
  std::int64_t carriageReturns = 0;
  for (;;) {
    const char* const runStart = buffer_.next() + length;
    const char* stop = runStart;
    while (stop < buffer_.end() && *stop == '\r') ++stop;
    carriageReturns += stop - runStart;
    if (stop < buffer_.end()) {
      const Line line = {buffer_.next(), runStart};
      if (*stop == '\n') {
        buffer_.advance(stop + 1);
      } else {
        buffer_.advance(stop);
        emptyLinesDue_ = carriageReturns - 1;
      }
      return line;
    }
    buffer_.forgetFrom(runStart);
    if (!buffer_.readMore()) {
      const Line line = {buffer_.next(), buffer_.next() + length};
      buffer_.advance(buffer_.end());
      emptyLinesDue_ = carriageReturns - 1;
      return line;
    }
  }
}
