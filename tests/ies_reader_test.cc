// Reads texts through IesReader, as stream extraction under the classic
// conventions would read them, and checks what each read takes and leaves.
#include "photometry/ies_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string writeFile(const std::string& text) {
  const std::string path = testing::TempDir() + "reader.txt";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// What a read leaves for the next one: the token after it, or "" at the end.
std::string leftover(IesReader& reader) {
  std::string token;
  return reader.readToken(&token) ? token : "";
}

template <typename Value>
struct ReadCase {
  const char* text;
  bool read;
  Value value;
  const char* left;
};

// Reads each text with `read`, then checks its result, and what it left.
template <typename Value>
void checkReads(bool (IesReader::*read)(Value*),
                const std::vector<ReadCase<Value>>& cases) {
  for (const ReadCase<Value>& c : cases) {
    SCOPED_TRACE(c.text);
    IesReader reader;
    ASSERT_TRUE(reader.open(writeFile(c.text)));
    Value value = -7;
    ASSERT_EQ((reader.*read)(&value), c.read);
    if (c.read) {
      EXPECT_EQ(value, c.value);
    }
    // After a failed read, nothing more can be read.
    EXPECT_EQ(leftover(reader), c.left);
  }
}

TEST(IesReader, ReadsRealsAsStreamExtractionDoes) {
  checkReads<float>(
      &IesReader::readReal,
      {
          {"22.5", true, 22.5f, ""},
          {"  \t\r\n\v\f-90 x", true, -90, "x"},
          {"+.5", true, 0.5f, ""},
          {"1.", true, 1, ""},
          {"1.5.3", true, 1.5f, ".3"},
          {"1e5e3", true, 1e5f, "e3"},
          {"2E-3,", true, 2e-3f, ","},
          {"0x1A", true, 0, "x1A"},
          {"0,45,90", true, 0, ",45,90"},
          {"1e", false, 0, ""},
          {"1e+", false, 0, ""},
          {".", false, 0, ""},
          {"-", false, 0, ""},
          {"+", false, 0, ""},
          {".e5", false, 0, ""},
          {"inf", false, 0, ""},
          {"nan", false, 0, ""},
          {"0.123456789012345678901234567890123456789012345678901234567890",
           true, 0.123456789f, ""},
          {"1e-50", true, 0, ""},
          {"0.7e-45", true, 0, ""},  // below half the least subnormal
          {"0.71e-45", true, 1.40129846e-45f, ""},  // the nearest subnormal
          {"3.4028235e38", true, FLT_MAX, ""},
          {"3.4028236e38", false, 0, ""},
          {"-1e39", false, 0, ""},
          {"1500.000000000", true, 1500, ""},
          // Past 2^24, halfway between two floats: the even one.
          {"16777217", true, 16777216.0f, ""},
          {"16777219", true, 16777220.0f, ""},
          {"-0.71e-45", true, -1.40129846e-45f, ""},
      });
}

TEST(IesReader, ReadsIntegersAsStreamExtractionDoes) {
  checkReads<int>(
      &IesReader::readInteger,
      {
          {"37.0", true, 37, ".0"},
          {"+3", true, 3, ""},
          {"-0", true, 0, ""},
          {"0x1A", true, 0, "x1A"},
          {"-2147483648", true, INT_MIN, ""},
          {"2147483648", false, 0, ""},
          {"99999999999", false, 0, ""},
          {"123456789012345678901234567890123456789012345678901234567890",
           false, 0, ""},
          {"+-3", false, 0, ""},
          {"e5", false, 0, ""},
      });
}

// Items that straddle the reader's buffer, or are longer than it.
TEST(IesReader, ReadsItemsAcrossAndBeyondItsBuffer) {
  const std::string longToken(200000, 'k');
  IesReader reader;
  ASSERT_TRUE(reader.open(
      writeFile(std::string(65534, ' ') + "12.75 " + longToken + " 3")));
  float value = 0;
  ASSERT_TRUE(reader.readReal(&value));
  EXPECT_EQ(value, 12.75f);
  std::string token;
  ASSERT_TRUE(reader.readToken(&token));
  EXPECT_EQ(token, longToken);
  int last = 0;
  ASSERT_TRUE(reader.readInteger(&last));
  EXPECT_EQ(last, 3);
  EXPECT_FALSE(reader.readToken(&token));
}

}  // namespace
