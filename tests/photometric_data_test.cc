// Reads IES texts through parse() and checks what the record holds.
#include "photometry/photometric_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Grid = std::vector<std::vector<float>>;

std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

// An IES file with the given angle counts and data after the header. The
// candela multiplier is 2, so a record holding doubled values applied it.
std::string ies(const std::string& counts, const std::string& data) {
  return "IESNA:LM-63-2002\nTILT=NONE\n1 1000 2.0 " + counts +
         " 1 1 0.5 0.6 0.1\n1.0 1.0 100\n" + data;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<float> vertical;
  std::vector<float> horizontal;
  Grid candela;
};

TEST(PhotometricData, HoldsTheGridAsNormalised) {
  const ReadCase cases[] = {
      {"shifted",
       ies("3 1", "90 135 180 0 100 80 20"),
       {0, 45, 90},
       {0, 180},
       {{100, 80, 20}, {100, 80, 20}}},
      {"below_zero",
       ies("3 1", "-90 0 90 0 1 2 3"),
       {-90, 0, 90},
       {0, 180},
       {{1, 2, 3}, {1, 2, 3}}},
      {"one_plane_at_90",
       ies("2 1", "0 90 90 5 6"),
       {0, 90},
       {90, 180},
       {{5, 6}, {5, 6}}},
      {"planes_as_read",
       ies("2 3", "0 90 0 45 90 1 2 3 4 5 6"),
       {0, 90},
       {0, 45, 90},
       {{1, 2}, {3, 4}, {5, 6}}},
      {"no_vertical", ies("0 2", "0 90"), {}, {0, 90}, {{}, {}}},
      {"no_horizontal", ies("3 0", "0 45 90"), {0, 45, 90}, {}, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData record;
    std::ostringstream console;
    ASSERT_TRUE(record.parse(writeFile(c.name, c.text), console));
    EXPECT_EQ(record.verticalAngles, c.vertical);
    EXPECT_EQ(record.horizontalAngles, c.horizontal);
    EXPECT_EQ(record.candela, c.candela);
    EXPECT_EQ(record.verticalCount, static_cast<int>(c.vertical.size()));
    EXPECT_EQ(record.horizontalCount, static_cast<int>(c.horizontal.size()));
    EXPECT_EQ(record.photometricType, 1);
  }
}

TEST(PhotometricData, StaysEmptyWhenTheReadFails) {
  const std::string texts[] = {
      ies("3 2", "0 45 90 0 90 1 2 3 4 5"),  // a candela value short
      ies("3 1", "0 45 90"),                 // no horizontal angle
      ies("3 -2", "0 45 90 0 90"),           // a negative count
      "IESNA:LM-63-2002\n1 1000 2.0 3 1 1 1 0.5 0.6 0.1\n",  // no tilt line
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    PhotometricData record;
    std::ostringstream console;
    EXPECT_FALSE(record.parse(writeFile("broken.ies", text), console));
    EXPECT_TRUE(record.verticalAngles.empty());
    EXPECT_TRUE(record.horizontalAngles.empty());
    EXPECT_TRUE(record.candela.empty());
    EXPECT_EQ(record.verticalCount, 0);
    EXPECT_EQ(record.horizontalCount, 0);
    EXPECT_EQ(record.photometricType, 0);
  }
}

TEST(PhotometricData, ReadsALargeGridInFull) {
  const int planes = 361, angles = 181;
  std::ostringstream data;
  for (int i = 0; i < angles; ++i) data << i * 0.5 << ' ';
  for (int i = 0; i < planes; ++i) data << i << '\n';
  for (int i = 0; i < planes * angles; ++i) data << i % 1000 << ' ';
  PhotometricData record;
  std::ostringstream console;
  ASSERT_TRUE(record.parse(writeFile("large.ies", ies("181 361", data.str())),
                           console));
  ASSERT_EQ(record.candela.size(), 361u);
  EXPECT_EQ(record.verticalAngles.back(), 90);
  EXPECT_EQ(record.horizontalAngles.back(), 360);
  EXPECT_EQ(record.candela[360][180], (360 * 181 + 180) % 1000);
}

}  // namespace
