// Differential fuzzing of the number reading and writing against the C++
// stream library, which defines them. The first byte picks the half:
// - even: the rest is, after eight bytes that pick the kind of each read in
//   turn (token, integer, real) and the reader's buffer size, a text read
//   both by IesReader and by a std::istream under the classic locale. Every
//   read must agree: success, token or value (bit for bit), and so what is
//   left for the next read.
// - odd: the next bytes pick a number format (classic, de_DE.UTF-8,
//   en_US.UTF-8, or a decimal point, separator and grouping of their own),
//   the rest are floats; appendNumber must write each exactly as a
//   std::ostream imbued with that format does.
// The two locales come from LOCPATH; without them the fuzzer stops at once.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

#include "export/number_writer.h"
#include "photometry/ies_reader.h"

namespace {

// Where libc++'s stream parts from the standard library's rules, which the
// reader and the writer follow (libstdc++'s stream keeps to them):
// - its extraction takes letters into a number, for hexadecimal, infinities
//   and NaNs, a second exponent mark among them ("5I" and "4e-2e" fail as a
//   whole where the rules read 5 and 4e-2 and leave the rest), so under
//   libc++ the texts to read hold no letters (the reader's tests cover
//   exponents there);
// - it takes a NUL inside a grouping as a size that ends the grouping, where
//   the sizes end at the NUL, so under libc++ the fuzzer's own formats hold
//   none. No user's format holds one: the C library's grouping is a C
//   string;
// - its extraction refuses a value too small for a float.
#ifdef _LIBCPP_VERSION
constexpr bool kStreamKeepsTheRules = false;
#else
constexpr bool kStreamKeepsTheRules = true;
#endif

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class FormatPunctuation : public std::numpunct<char> {
 public:
  explicit FormatPunctuation(const NumberFormat& format) : format_(format) {}

 protected:
  char do_decimal_point() const override { return format_.decimalPoint; }
  char do_thousands_sep() const override { return format_.thousandsSeparator; }
  std::string do_grouping() const override { return format_.grouping; }

 private:
  const NumberFormat format_;
};

std::locale namedLocale(const char* name) {
  try {
    return std::locale(name);
  } catch (const std::runtime_error&) {
    std::fprintf(stderr, "locale %s is missing: set LOCPATH\n", name);
    std::abort();
  }
}

NumberFormat formatOf(const std::locale& locale) {
  const auto& punctuation = std::use_facet<std::numpunct<char>>(locale);
  return {punctuation.decimal_point(), punctuation.thousands_sep(),
          punctuation.grouping()};
}

void differ(const char* what) {
  std::fprintf(stderr, "differs from the stream library: %s\n", what);
  std::abort();
}

void compareReads(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return;
  const std::uint8_t* const kinds = data;
  std::string text(reinterpret_cast<const char*>(data + 8), size - 8);
  if (!kStreamKeepsTheRules)
    std::replace_if(text.begin(), text.end(), isLetter, ' ');
  static const std::string path =
      "/tmp/lumtrel-number-fuzz-" + std::to_string(getpid());
  std::ofstream(path, std::ios::binary) << text;

  // A buffer of a few bytes, so that items straddle it and outgrow it.
  IesReader reader(1 + kinds[0] % 16);
  if (!reader.open(path)) differ("the text could not be opened");
  std::istringstream stream(text);
  stream.imbue(std::locale::classic());
  // Each read takes at least one byte, so this many reads reach the end.
  for (std::size_t read = 0; read <= text.size(); ++read) {
    bool ok = false;
    switch (kinds[read % 8] % 3) {
      case 0: {
        std::string mine, theirs;
        ok = reader.readToken(&mine);
        if (ok != static_cast<bool>(stream >> theirs)) differ("token read");
        if (ok && mine != theirs) differ("token");
        break;
      }
      case 1: {
        int mine = 0, theirs = 0;
        ok = reader.readInteger(&mine);
        if (ok != static_cast<bool>(stream >> theirs)) differ("integer read");
        if (ok && mine != theirs) differ("integer");
        break;
      }
      default: {
        float mine = 0, theirs = 0;
        ok = reader.readReal(&mine);
        const bool theirsOk = static_cast<bool>(stream >> theirs);
        // libc++ refuses a value too small for a float, which the rules
        // read as 0 or a subnormal; its stream reads on no further.
        if (!kStreamKeepsTheRules && ok && !theirsOk &&
            std::fabs(mine) < std::numeric_limits<float>::min())
          return;
        if (ok != theirsOk) differ("real read");
        if (ok && std::memcmp(&mine, &theirs, sizeof mine) != 0) differ("real");
      }
    }
    if (!ok) return;
  }
}

void compareWrites(const std::uint8_t* data, std::size_t size) {
  static const std::locale german = namedLocale("de_DE.UTF-8");
  static const std::locale american = namedLocale("en_US.UTF-8");
  if (size < 1) return;
  std::locale locale = std::locale::classic();
  switch (data[0] % 4) {
    case 1:
      locale = german;
      break;
    case 2:
      locale = american;
      break;
    case 3: {
      if (size < 4) return;
      NumberFormat own;
      own.decimalPoint = static_cast<char>(data[1]);
      own.thousandsSeparator = static_cast<char>(data[2]);
      const std::size_t length = data[3] % 5;
      if (size < 4 + length) return;
      own.grouping.assign(reinterpret_cast<const char*>(data + 4), length);
      if (!kStreamKeepsTheRules)
        own.grouping.resize(std::strlen(own.grouping.c_str()));
      locale = std::locale(std::locale::classic(), new FormatPunctuation(own));
      data += length + 3;
      size -= length + 3;
      break;
    }
  }
  const NumberFormat format = formatOf(locale);
  // Each four bytes give two floats: their bit pattern, and the float
  // nearest a decimal of up to eight digits, where the six-digit rounding
  // meets ties and carries.
  for (std::size_t at = 1; at + 4 <= size; at += 4) {
    std::uint32_t bits;
    std::memcpy(&bits, data + at, sizeof bits);
    float values[2];
    std::memcpy(&values[0], &bits, sizeof bits);
    const std::string decimal =
        std::to_string(bits % 100000000) + "e" +
        std::to_string(static_cast<int>(bits >> 27) - 20);
    values[1] = std::strtof(decimal.c_str(), nullptr);
    for (const float value : values) {
      std::ostringstream stream;
      stream.imbue(locale);
      stream << value;
      std::string mine;
      appendNumber(value, format, &mine);
      if (mine != stream.str()) differ(("writing " + stream.str()).c_str());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    compareReads(data + 1, size - 1);
  } else {
    compareWrites(data + 1, size - 1);
  }
  return 0;
}
