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
