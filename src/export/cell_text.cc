#include "export/cell_text.h"

#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kMaxUnits = 32767;

// Windows-1252's letters for the bytes 0x80 to 0x9F; 0 where it has none.
constexpr char32_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes `bytes` as UTF-8 into `letters`. Returns false at the first
// sequence that is not valid UTF-8 (overlong, a surrogate, beyond U+10FFFF,
// cut short).
bool decodeUtf8(const std::string& bytes, std::vector<char32_t>* letters) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    char32_t letter = lead;
    char32_t smallest = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, letter = lead & 0x07, smallest = 0x10000;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, letter = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, letter = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0x80) {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      letter = letter << 6 | (next & 0x3F);
    }
    if (letter < smallest || letter > 0x10FFFF ||
        (letter >= 0xD800 && letter <= 0xDFFF))
      return false;
    letters->push_back(letter);
    i += length;
  }
  return true;
}

void decodeWindows1252(const std::string& bytes,
                       std::vector<char32_t>* letters) {
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    char32_t letter = value;
    if (value >= 0x80 && value <= 0x9F)
      letter = kWindows1252[value - 0x80] ? kWindows1252[value - 0x80] : 0xFFFD;
    letters->push_back(letter);
  }
}

bool isControl(char32_t letter) {
  return letter < 0x20 || (letter >= 0x7F && letter <= 0x9F) ||
         letter == 0xFFFE || letter == 0xFFFF;
}

void appendUtf8(char32_t letter, std::string* text) {
  if (letter < 0x80) {
    text->push_back(static_cast<char>(letter));
    return;
  }
  if (letter < 0x800) {
    text->push_back(static_cast<char>(0xC0 | letter >> 6));
  } else if (letter < 0x10000) {
    text->push_back(static_cast<char>(0xE0 | letter >> 12));
    text->push_back(static_cast<char>(0x80 | (letter >> 6 & 0x3F)));
  } else {
    text->push_back(static_cast<char>(0xF0 | letter >> 18));
    text->push_back(static_cast<char>(0x80 | (letter >> 12 & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (letter >> 6 & 0x3F)));
  }
  text->push_back(static_cast<char>(0x80 | (letter & 0x3F)));
}

}  // namespace

std::string cellText(const std::string& bytes) {
  std::vector<char32_t> letters;
  if (!decodeUtf8(bytes, &letters)) {
    letters.clear();
    decodeWindows1252(bytes, &letters);
  }
  std::size_t first = !letters.empty() && letters[0] == 0xFEFF ? 1 : 0;
  std::vector<char32_t> kept;
  for (std::size_t i = first; i < letters.size(); ++i) {
    if (letters[i] == '\t') {
      kept.push_back(' ');
    } else if (!isControl(letters[i])) {
      kept.push_back(letters[i]);
    }
  }
  first = 0;
  std::size_t last = kept.size();
  while (first < last && kept[first] == ' ') ++first;
  while (last > first && kept[last - 1] == ' ') --last;
  std::string text;
  std::size_t units = 0;
  for (std::size_t i = first; i < last; ++i) {
    units += kept[i] >= 0x10000 ? 2 : 1;
    if (units > kMaxUnits) break;
    appendUtf8(kept[i], &text);
  }
  return text;
}

std::string pageText(const std::string& code, const std::string& text,
                     std::size_t limit) {
  std::string page = code;
  for (const char c : text) {
    page += c;
    if (c == '&') page += '&';
  }
  std::size_t characters = 0, end = 0;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if ((page[i] & 0xC0) == 0x80) continue;  // inside a character
    if (characters++ == limit) break;
    end = i + 1;
    while (end < page.size() && (page[end] & 0xC0) == 0x80) ++end;
  }
  page.resize(end);
  // An odd run of "&" at the end would leave a code begun.
  std::size_t ampersands = 0;
  for (std::size_t i = page.size(); i-- > code.size() && page[i] == '&';)
    ++ampersands;
  if (ampersands % 2 == 1) page.pop_back();
  return page;
}
