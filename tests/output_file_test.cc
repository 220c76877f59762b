// A save that fails at any point leaves the file at the answer as it was,
// and no file of the tool's own beside it.
#include "export/output_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Fails every write that would pass `failAt` bytes, after writing the part
// before it, as a disk that fills up does.
class FillingDisk : public OutputFile {
 public:
  explicit FillingDisk(std::size_t failAt) : failAt_(failAt) {}

 protected:
  bool writeBytes(const char* data, std::size_t size,
                  std::string* reason) override {
    if (size > failAt_ - written_) {
      OutputFile::writeBytes(data, failAt_ - written_, reason);
      *reason = "no room left";
      return false;
    }
    written_ += size;
    return OutputFile::writeBytes(data, size, reason);
  }

 private:
  const std::size_t failAt_;
  std::size_t written_ = 0;
};

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(OutputFile, ReplacesTheAnswerOnlyWhenTheWholeFileIsWritten) {
  const struct {
    const char* name;
    bool existing;       // an earlier file at the answer
    std::size_t failAt;  // bytes the disk takes; SIZE_MAX for all
    bool committed;      // false: the save gives up before the end
    bool replaced;       // the answer holds the new text afterwards
  } rows[] = {
      {"fails_at_once", true, 0, true, false},
      {"fails_half_way", true, 5, true, false},
      {"fails_on_a_new_answer", false, 5, true, false},
      {"gives_up_before_the_end", true, SIZE_MAX, false, false},
      {"replaces", true, SIZE_MAX, true, true},
      {"creates", false, SIZE_MAX, true, true},
  };
  const std::string earlier = "an earlier, longer table;1;2;3;\n";
  const std::string table = "A;0;90;\n0;1;2;\n";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path folder =
        fs::path(testing::TempDir()) / "output_file" / row.name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path answer = folder / "grid.csv";
    if (row.existing) std::ofstream(answer, std::ios::binary) << earlier;
    {
      FillingDisk file(row.failAt);
      std::string reason;
      ASSERT_TRUE(
          file.open(answer.u8string(), OutputFile::Kind::binary, &reason))
          << reason;
      EXPECT_TRUE(fs::exists(file.newFile()));
      const bool written =
          file.write(table.data(), 8, &reason) &&
          file.write(table.data() + 8, table.size() - 8, &reason);
      EXPECT_EQ(written, row.failAt == SIZE_MAX);
      if (!written) {
        EXPECT_EQ(reason, "no room left");
      } else if (row.committed) {
        EXPECT_TRUE(file.commit(&reason)) << reason;
      }
    }
    if (row.replaced) {
      EXPECT_EQ(contents(answer), table);
    } else if (row.existing) {
      EXPECT_EQ(contents(answer), earlier);
    } else {
      EXPECT_FALSE(fs::exists(answer));
    }
    // Nothing but the answer is left in the folder.
    int entries = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      EXPECT_EQ(entry.path().filename(), "grid.csv");
      ++entries;
    }
    EXPECT_EQ(entries, row.existing || row.replaced ? 1 : 0);
    fs::remove_all(folder);
  }
}

}  // namespace
