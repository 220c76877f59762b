// Checks the path that reaches the Windows file system for a path the user
// gave: as written while Windows takes it, in the extended-length form once
// its full form reaches 260 characters, normalised first.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "photometry/file_path.h"

namespace {

// The current folder, C:\ for the relative rows, for as long as it lives.
class InFolder {
 public:
  explicit InFolder(const wchar_t* folder) {
    GetCurrentDirectoryW(MAX_PATH, saved_);
    SetCurrentDirectoryW(folder);
  }
  ~InFolder() { SetCurrentDirectoryW(saved_); }

 private:
  wchar_t saved_[MAX_PATH];
};

TEST(FilePath, LongPathsTakeTheExtendedFormOnceNormalised) {
  const InFolder root(L"C:\\");
  // Two names that make any path holding both longer than 260 characters.
  const std::string a(150, 'a'), b(150, 'b');
  const std::wstring wa(a.begin(), a.end()), wb(b.begin(), b.end());
  const struct {
    const char* shape;
    std::string given;
    std::wstring reaching;
  } rows[] = {
      {"short, relative", "lamp.csv", L"lamp.csv"},
      {"short, drive-absolute", "C:/data/./lamp.csv", L"C:/data/./lamp.csv"},
      {"short device name", "NUL", L"NUL"},
      {"short, forbidden name", "a<b.csv", L"a<b.csv"},
      {"long, drive-absolute", "D:\\" + a + "\\" + b + ".csv",
       L"\\\\?\\D:\\" + wa + L"\\" + wb + L".csv"},
      {"long, relative", a + "\\" + b + ".csv",
       L"\\\\?\\C:\\" + wa + L"\\" + wb + L".csv"},
      {"long, forward slashes", "D:/" + a + "/" + b + "/lamp.csv",
       L"\\\\?\\D:\\" + wa + L"\\" + wb + L"\\lamp.csv"},
      {"long, with . and ..", "D:\\" + a + "\\.\\x\\..\\" + b + ".csv",
       L"\\\\?\\D:\\" + wa + L"\\" + wb + L".csv"},
      {"long, trailing dot", "D:\\" + a + "\\" + b + ".csv.",
       L"\\\\?\\D:\\" + wa + L"\\" + wb + L".csv"},
      {"long, trailing space", "D:\\" + a + "\\" + b + ".csv ",
       L"\\\\?\\D:\\" + wa + L"\\" + wb + L".csv"},
      {"long, UNC", "\\\\server\\share\\" + a + "\\" + b + ".csv",
       L"\\\\?\\UNC\\server\\share\\" + wa + L"\\" + wb + L".csv"},
      {"long, already extended", "\\\\?\\D:\\" + a + "\\..\\" + b + ".csv",
       L"\\\\?\\D:\\" + wa + L"\\..\\" + wb + L".csv"},
      {"empty", "", L""},
      {"not UTF-8", "lamp\xE9.csv", L""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shape);
    EXPECT_EQ(pathFromUtf8(row.given).native(), row.reaching);
  }
}

TEST(FilePath, NamesLoseTheirTrailingDotsAndSpacesAsWindowsOpensThem) {
  const struct {
    const char* given;
    const char* opened;
  } rows[] = {
      {"lamp.ldt", "lamp.ldt"},
      {"C:\\data\\lamp.ldt. .", "C:\\data\\lamp.ldt"},
      {"\\\\?\\C:\\lamp.ldt.", "\\\\?\\C:\\lamp.ldt."},
      {"...", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(nameAsOpened(row.given), row.opened);
}

}  // namespace

namespace {

TEST(FilePath, NamesTheFilesOfAFolderRunAsWindowsDoes) {
  const InFolder root(L"C:\\");
  EXPECT_EQ(folderArgument("D:\\Lamps\""), "D:\\Lamps");
  EXPECT_EQ(folderArgument("D:\\Lamps"), "D:\\Lamps");
  EXPECT_EQ(folderOf("D:\\out\\overview.xlsx"), "D:\\out\\");
  EXPECT_EQ(folderOf("out/overview.xlsx"), "out/");
  EXPECT_EQ(folderOf("C:overview.xlsx"), "C:");
  EXPECT_EQ(folderOf("overview.xlsx"), "");
  // The extended-length form of the full path, which opens a name ending
  // in a dot as that very name.
  EXPECT_EQ(fileInFolder("data", "lamp.ies."), "\\\\?\\C:\\data\\lamp.ies.");
  EXPECT_EQ(fileInFolder("\\\\server\\share\\", "a.ldt"),
            "\\\\?\\UNC\\server\\share\\a.ldt");
}

}  // namespace
