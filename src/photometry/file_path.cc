#include "photometry/file_path.h"

#include <algorithm>
#include <cstring>

bool namesExtension(const std::string& path, const char* extension) {
  const std::string name = nameAsOpened(path);
  const std::size_t size = std::strlen(extension);
  if (name.size() < size) return false;
  return std::equal(
      extension, extension + size,
      name.end() - static_cast<std::ptrdiff_t>(size), [](char wanted, char c) {
        return wanted == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      });
}

bool listPhotometricFiles(const std::string& folder,
                          std::vector<std::string>* names,
                          std::string* reason) {
  names->clear();
  std::error_code error;
  std::filesystem::directory_iterator entry(pathFromUtf8(folder), error);
  for (; !error && entry != std::filesystem::directory_iterator();
       entry.increment(error)) {
    const std::string name = entry->path().filename().u8string();
    if ((namesExtension(name, ".ies") || namesExtension(name, ".ldt")) &&
        nameAsOpened(name) == name &&
        isRegularFile(pathFromUtf8(fileInFolder(folder, name))))
      names->push_back(name);
  }
  if (error) {
    *reason = error.message();
    return false;
  }
  std::sort(names->begin(), names->end());
  return true;
}
