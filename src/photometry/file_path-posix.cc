#include <sys/stat.h>

#include "photometry/file_path.h"

std::filesystem::path pathFromUtf8(const std::string& text) {
  if (text.find('\0') != std::string::npos) return {};
  return text;
}

std::string nameAsOpened(const std::string& text) { return text; }

bool isRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool sameFile(const std::filesystem::path& first,
              const std::filesystem::path& second) {
  std::error_code error;
  return std::filesystem::equivalent(first, second, error);
}

bool lastModified(const std::string& path, std::time_t* time) {
  struct stat status;
  if (pathFromUtf8(path).empty() || stat(path.c_str(), &status) != 0)
    return false;
  *time = status.st_mtime;
  return true;
}
