// Writes floats with appendNumber and checks the text against what a C++
// stream writes by default in the same number format, worked out by hand.
#include "export/number_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

namespace {

NumberFormat format(char point, char separator, std::string grouping) {
  return {point, separator, std::move(grouping)};
}

struct WriteCase {
  float value;
  NumberFormat format;
  const char* text;
};

TEST(NumberWriter, WritesAsTheStreamDoes) {
  const NumberFormat classic;
  const NumberFormat german = format(',', '.', "\3");
  const WriteCase cases[] = {
      {0, classic, "0"},
      {-0.0f, classic, "-0"},
      {22.5f, classic, "22.5"},
      {0.1f, classic, "0.1"},
      {1500, classic, "1500"},
      {123456, classic, "123456"},
      {1234567, classic, "1.23457e+06"},
      {1234565, classic, "1.23456e+06"},  // an exact tie rounds to even
      {999999.7f, classic, "1e+06"},
      {9.999996f, classic, "10"},
      {0.0001f, classic, "0.0001"},
      {0.00001f, classic, "1e-05"},
      {-0.000123456f, classic, "-0.000123456"},
      {1e38f, classic, "1e+38"},
      {std::numeric_limits<float>::max(), classic, "3.40282e+38"},
      {std::numeric_limits<float>::denorm_min(), classic, "1.4013e-45"},
      {std::numeric_limits<float>::infinity(), german, "inf"},
      {-std::numeric_limits<float>::infinity(), german, "-inf"},
      {std::numeric_limits<float>::quiet_NaN(), german, "nan"},
      {-std::numeric_limits<float>::quiet_NaN(), german, "-nan"},
      {std::numeric_limits<float>::signaling_NaN(), classic, "nan"},
      {22.5f, german, "22,5"},
      {1500, german, "1.500"},
      {-1500.25f, german, "-1.500,25"},
      {123456, german, "123.456"},
      {999, german, "999"},
      {1234567, german, "1,23457e+06"},
      {1e6f, german, "1e+06"},
      {123456, format('.', ',', "\3\2"), "1,23,456"},
      {123456, format('.', ',', "\1\2"), "1,23,45,6"},
      {123456, format('.', ',', "\2\x7f"), "1234,56"},
      {123456, format('.', ',', std::string("\2\0\3", 3)), "12,34,56"},
      {123456, format('.', ',', ""), "123456"},
      {123456, format('.', ',', "\x7f"), "123456"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = "x";
    appendNumber(c.value, c.format, &text);
    EXPECT_EQ(text, std::string("x") + c.text);
  }
}

}  // namespace
