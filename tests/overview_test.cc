// A folder's files as a folder run finds them, and its overview as a table.
#include "analysis/overview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/overview_writer.h"
#include "photometry/file_path.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(Overview, ListsTheFolderFilesInTheOrderOfTheirNames) {
  const fs::path folder = fs::path(testing::TempDir()) / "listing";
  fs::remove_all(folder);
  fs::create_directories(folder / "d.ies");  // a folder, named like a file
  for (const char* name : {"b.ies", "A.LDT", "a.ies", "g.IES", "c.txt"})
    std::ofstream(folder / name) << "x";
  fs::create_directories(folder / "sub");
  std::ofstream(folder / "sub" / "s.ies") << "x";
  fs::create_symlink("b.ies", folder / "e.ies");    // a link to a file
  fs::create_symlink("sub", folder / "f.ldt");      // a link to a folder
  fs::create_symlink("missing", folder / "h.ies");  // a link to nothing
  std::vector<std::string> names;
  std::string reason;
  ASSERT_TRUE(listPhotometricFiles(folder.string(), &names, &reason));
  EXPECT_EQ(names, std::vector<std::string>(
                       {"A.LDT", "a.ies", "b.ies", "e.ies", "g.IES"}));
  EXPECT_FALSE(
      listPhotometricFiles((folder / "none").string(), &names, &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(folderOf("out/overview.csv"), "out/");
  EXPECT_EQ(folderOf("overview.csv"), "");
  EXPECT_EQ(fileInFolder("lamps/", "a.ies"), "lamps/a.ies");
  EXPECT_EQ(fileInFolder("lamps", "a.ies"), "lamps/a.ies");
  fs::remove_all(folder);
}

TEST(Overview, WritesItsTableWithTextsQuotedWhereTheyMustBe) {
  ::setenv("LC_ALL", "C", 1);
  const std::string path = testing::TempDir() + "overview.csv";
  std::vector<OverviewRow> rows = {refusedRow("a;b.ies", "IES \"data\""),
                                   refusedRow("c.ldt", "Read")};
  rows[1].identity[0] = "EULUMDAT";
  rows[1].figures[0] = 1000;      // lamp flux
  rows[1].figures[1] = 1234.567;  // six digits, as the table writes them
  rows[1].faults = 2;
  std::ostringstream console;
  ASSERT_TRUE(saveOverviewTable(rows, path, console));
  std::string titles;
  for (const std::string& title : overviewTitles()) titles += title + ";";
  EXPECT_EQ(contents(path),
            titles +
                "\n\"a;b.ies\";\"IES \"\"data\"\"\";;;;;;;;;;;;"
                ";;;;;\nc.ldt;Read;EULUMDAT;;;1000;1234.57;;;;;;"
                ";;;;;2;\n");
  EXPECT_EQ(console.str(), "Saved: " + path + "\n");
}

}  // namespace
