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
