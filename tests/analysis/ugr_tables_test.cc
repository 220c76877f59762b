// The tables built into the program are the method's data files.
#include "analysis/ugr_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::vector<std::string>> csv(const std::string& name) {
  std::ifstream file(std::string(LUMTREL_UGR_DATA) + "/" + name);
  EXPECT_TRUE(file) << name;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.empty()) continue;
    std::vector<std::string>& cells = rows.emplace_back();
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');)
      cells.push_back(cell);
  }
  return rows;
}

TEST(UgrTables, HoldTheDataFilesValues) {
  const auto guth = csv("guth.csv");
  ASSERT_EQ(guth.size(), kGuthRows + 1);
  for (std::size_t i = 0; i < kGuthRows; ++i) {
    ASSERT_EQ(guth[i + 1].size(), kGuthColumns + 1);
    for (std::size_t j = 0; j < kGuthColumns; ++j) {
      const std::string& cell = guth[i + 1][j + 1];
      EXPECT_EQ(kGuthIndex[i][j], cell == "-" ? kNone : std::stod(cell))
          << i << " " << j;
    }
  }
  const auto fgl = csv("fgl.csv");
  ASSERT_EQ(fgl.size(), kZonalRows + 1);
  for (std::size_t i = 0; i < kZonalRows; ++i) {
    for (std::size_t n = 0; n < 5; ++n)
      EXPECT_EQ(kZonalFactors[i][n], std::stod(fgl[i + 1][n])) << i;
  }
}

}  // namespace
