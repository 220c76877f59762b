#include <windows.h>

#include <climits>

#include "photometry/file_path.h"

std::filesystem::path pathFromUtf8(const std::string& text) {
  if (text.empty() || text.size() > INT_MAX ||
      text.find('\0') != std::string::npos)
    return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                       text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length,
                      wide.data(), size);
  return wide;
}
