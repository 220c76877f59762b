#include <windows.h>

#include <filesystem>

#include "export/system_message.h"

std::string lastSystemMessage() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 && text ? std::wstring(text, length) : L"";
  if (text) LocalFree(text);
  message.erase(message.find_last_not_of(L" \t\r\n") + 1);
  if (message.empty()) return "Windows error " + std::to_string(code) + ".";
  return std::filesystem::path(message).u8string();
}
