#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "export/temp_file.h"

TempFile::~TempFile() {
  if (!name_.empty()) unlink(name_.c_str());
}

bool TempFile::create(const char* suffix) {
  std::error_code error;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path(error);
  if (error) return false;
  const std::string pattern = (folder / "lumtrel-XXXXXX").string() + suffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int file = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
  if (file < 0) return false;
  close(file);
  name_ = name.data();
  folder_ = folder.string();
  path_ = name_;
  return true;
}
