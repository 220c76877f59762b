// How a header item's bytes become a cell's text.
#include "export/cell_text.h"

#include <gtest/gtest.h>

#include <string>

#include "photometry/kept_line.h"

namespace {

TEST(CellText, DecodesEachItemOnItsOwn) {
  const std::pair<std::string, std::string> cases[] = {
      {"B\xC3\xBCro \xE7\x81\xAF", "B\xC3\xBCro \xE7\x81\xAF"},    // UTF-8
      {"B\xFCro \xD8 \x80", "B\xC3\xBCro \xC3\x98 \xE2\x82\xAC"},  // 1252
      // The five bytes that Windows-1252 leaves undefined.
      {"\x81\x8D\x8F\x90\x9D",
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xEF\xBB\xBF[TEST]", "[TEST]"},  // a byte order mark
      {" \ta\tb\x01\x7F"
       "c\r \t",
       "a bc"},
      {"\xC3\xA9\xC3", "\xC3\x83\xC2\xA9\xC3\x83"},  // cut short: 1252
      {"\xEF\xBF\xBEx", "x"},  // U+FFFE, which XML can't hold
      {"", ""},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(cellText(bytes), text);
}

TEST(CellText, KeepsWhatACellHolds) {
  // 32,766 units, then a letter that takes two: it does not fit.
  const std::string letters(32766, 'a');
  EXPECT_EQ(cellText(letters + "\xF0\x9F\x92\xA1"), letters);
  EXPECT_EQ(cellText(letters + "bc"), letters + "b");
}

TEST(PageText, DoublesAmpersandsAndCutsWhereAHeaderEnds) {
  const std::string a254(254, 'a');
  const struct {
    std::string text;
    std::string page;
  } rows[] = {
      {"lamp.ies", "&Clamp.ies"},
      {"R&D lamp.ies", "&CR&&D lamp.ies"},
      // 2 + 254 characters: the last one goes.
      {a254, "&C" + a254.substr(0, 253)},
      // A letter of two bytes at the cut goes whole; so does a doubled &.
      {a254.substr(0, 252) + "\xC3\xBC",
       "&C" + a254.substr(0, 252) + "\xC3\xBC"},
      {a254.substr(0, 253) + "\xC3\xBC", "&C" + a254.substr(0, 253)},
      {a254.substr(0, 252) + "&", "&C" + a254.substr(0, 252)},
  };
  for (const auto& row : rows) EXPECT_EQ(pageText("&C", row.text), row.page);
}

TEST(KeptLine, CutsALongLineWithoutSplittingALetter) {
  const std::string start(KeptLine::kMaxBytes - 1, 'a');
  KeptLine line;
  line.append(start.data(), start.data() + start.size());
  const std::string rest = "\xC3\xBC and more";
  line.append(rest.data(), rest.data() + rest.size());
  line.append(rest.data(), rest.data() + rest.size());
  EXPECT_EQ(line.take(), start);
  line.append(rest.data(), rest.data() + 2);
  EXPECT_EQ(line.take(), "\xC3\xBC");
}

}  // namespace
