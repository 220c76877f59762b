// The workbook's temporary file when the temporary folder's name holds
// letters beyond ASCII, as C:\Users\Jürgen\AppData\Local\Temp does.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "export/temp_file.h"

namespace {

TEST(TempFile, ReachesAFolderNamedBeyondAscii) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / L"J\u00fcrgen \u706f";
  std::filesystem::create_directories(folder);
  wchar_t previous[MAX_PATH + 1] = L"";
  GetEnvironmentVariableW(L"TMP", previous, MAX_PATH + 1);
  SetEnvironmentVariableW(L"TMP", folder.c_str());
  std::filesystem::path made;
  {
    TempFile file;
    std::string reason;
    ASSERT_TRUE(file.create(".xlsx", &reason)) << reason;
    made = file.path();
    EXPECT_TRUE(std::filesystem::equivalent(made.parent_path(), folder));
    // The C library opens it by its ANSI name, and finds its folder.
    FILE* const opened = std::fopen(file.name().c_str(), "wb");
    ASSERT_NE(opened, nullptr);
    std::fclose(opened);
    EXPECT_EQ(file.name().find_first_of("\x80\xFF"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(made));
  SetEnvironmentVariableW(L"TMP", previous);
  std::filesystem::remove(folder);
}

}  // namespace
