// Reads EULUMDAT lines through LdtReader: how lines end, and which line
// texts are numbers.
#include "photometry/ldt_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <fstream>
#include <string>

namespace {

std::string writeFile(const std::string& text) {
  const std::string path = testing::TempDir() + "reader.ldt";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

struct NumberCase {
  const char* line;
  bool isReal;
  float real;
  bool isInteger;
  int integer;
};

TEST(LdtReader, ReadsALineAsANumberOnlyWhenItHoldsOneWhole) {
  const NumberCase cases[] = {
      {"24", true, 24, true, 24},
      {" \t24.0 \t", true, 24, true, 24},
      {"24,0", true, 24, true, 24},
      {"2,4e1", true, 24, true, 24},
      {"2,5", true, 2.5f, false, 0},
      {"2,5e3", true, 2500, true, 2500},
      {"-,5", true, -0.5f, false, 0},
      {"+7.", true, 7, true, 7},
      {"-0", true, -0.0f, true, 0},
      {"0.000e99999999999", true, 0, true, 0},
      {"2147483647", true, 2147483648.0f, true, 2147483647},
      {"-2147483647", true, -2147483648.0f, true, -2147483647},
      {"-2147483648", true, -2147483648.0f, false, 0},
      {"21474836470e-1", true, 2147483648.0f, true, 2147483647},
      {"24.0000000000000000001", true, 24, false, 0},
      {"1e-50", true, 0, false, 0},
      {"3.4028236e38", false, 0, false, 0},
      {"1 2", false, 0, false, 0},
      {"0x1A", false, 0, false, 0},
      {"1e+", false, 0, false, 0},
      {".", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {"", false, 0, false, 0},
      {"\v5", false, 0, false, 0},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.line);
    LdtReader reader;
    ASSERT_TRUE(reader.open(writeFile(std::string(c.line) + "\n" + c.line)));
    float real = -7;
    int integer = -7;
    EXPECT_EQ(reader.readReal(&real), c.isReal);
    EXPECT_EQ(real, c.isReal ? c.real : -7);
    EXPECT_EQ(reader.readInteger(&integer), c.isInteger);
    EXPECT_EQ(integer, c.isInteger ? c.integer : -7);
  }
}

// Line ends of every kind, a byte order mark, and a run of carriage returns
// far longer than the buffer, read through buffers of a few bytes too.
TEST(LdtReader, EndsLinesAtEveryKindOfLineEndWhateverItsBuffer) {
  const std::string text =
      "\xEF\xBB\xBF"
      "1\r\r\n\r2\r\r3\n4\r" +
      std::string(100000, '\r') + "5\n\n";
  for (const std::size_t bufferSize : {1, 2, 3, 5, 64 * 1024}) {
    SCOPED_TRACE(bufferSize);
    LdtReader reader(bufferSize);
    ASSERT_TRUE(reader.open(writeFile(text)));
    int one = 0, two = 0, three = 0, four = 0, five = 0, more = 0;
    EXPECT_TRUE(reader.readInteger(&one));
    reader.skipLines(1);
    EXPECT_TRUE(reader.readInteger(&two));
    reader.skipLines(1);
    EXPECT_TRUE(reader.readInteger(&three));
    EXPECT_TRUE(reader.readInteger(&four));
    reader.skipLines(100000);
    EXPECT_TRUE(reader.readInteger(&five));
    EXPECT_EQ(std::vector<int>({one, two, three, four, five}),
              std::vector<int>({1, 2, 3, 4, 5}));
    reader.skipLines(1);  // the empty last line
    EXPECT_FALSE(reader.readInteger(&more));
  }
}

}  // namespace
