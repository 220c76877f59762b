#include "photometry/file_path.h"

std::filesystem::path pathFromUtf8(const std::string& text) {
  if (text.find('\0') != std::string::npos) return {};
  return text;
}
