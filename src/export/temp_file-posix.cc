#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "export/system_message.h"
#include "export/temp_file.h"

TempFile::~TempFile() {
  if (!name_.empty()) unlink(name_.c_str());
}

bool TempFile::create(const char* suffix, std::string* reason) {
  const char* const variable = std::getenv("TMPDIR");
  const std::string folder =
      variable && *variable ? std::string(variable) : std::string("/tmp");
  const std::string pattern = folder + "/lumtrel-XXXXXX" + suffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int file = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
  if (file < 0) {
    *reason = "The temporary folder can't be used: " + lastSystemMessage();
    return false;
  }
  close(file);
  name_ = name.data();
  folder_ = folder;
  path_ = name_;
  return true;
}
