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

bool isFolder(const std::string& text) {
  struct stat status;
  return !pathFromUtf8(text).empty() && stat(text.c_str(), &status) == 0 &&
         S_ISDIR(status.st_mode);
}

std::string folderArgument(const std::string& text) { return text; }

std::string fileInFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string folderOf(const std::string& text) {
  const std::size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}
