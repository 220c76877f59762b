#include <windows.h>

#include <climits>

#include "export/system_message.h"
#include "export/temp_file.h"
#include "export/unique_name.h"

namespace {

// `wide` in the ANSI code page, when it converts there and back unchanged.
bool ansiForm(const std::wstring& wide, std::string* ansi) {
  if (wide.empty() || wide.size() > INT_MAX / 4) return false;
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr,
                                       0, nullptr, nullptr);
  if (size <= 0) return false;
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), size,
                      nullptr, nullptr);
  const int backSize =
      MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring back(static_cast<std::size_t>(backSize > 0 ? backSize : 0),
                    L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, back.data(), backSize);
  if (back != wide) return false;
  *ansi = std::move(text);
  return true;
}

std::wstring temporaryFolder() {
  const DWORD size = GetTempPathW(0, nullptr);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD length = GetTempPathW(size, folder.data());
  if (length == 0 || length >= size) return {};
  folder.resize(length);
  return folder;
}

std::wstring shortForm(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return {};
  shortPath.resize(length);
  return shortPath;
}

const char kFolderFailure[] = "The temporary folder can't be used: ";

}  // namespace

TempFile::~TempFile() {
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool TempFile::create(const char* suffix, std::string* reason) {
  const std::wstring longFolder = temporaryFolder();
  if (longFolder.empty()) {
    *reason = kFolderFailure + lastSystemMessage();
    return false;
  }
  std::wstring folder = shortForm(longFolder);
  std::string ansiFolder;
  if (folder.empty() || !ansiForm(folder, &ansiFolder)) {
    folder = longFolder;
    if (!ansiForm(folder, &ansiFolder)) {
      *reason =
          "The temporary folder's name can't be written in the ANSI code "
          "page, which the workbook library needs.";
      return false;
    }
  }
  if (folder.back() != L'\\') {
    folder += L'\\';
    ansiFolder += '\\';
  }
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  UniqueNames names(static_cast<unsigned long long>(counter.QuadPart) ^
                    (GetCurrentProcessId() * 2654435761ULL));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string fileName = names.next("lumtrel-", suffix);
    const std::wstring widePath =
        folder + std::wstring(fileName.begin(), fileName.end());
    const HANDLE file =
        CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      path_ = widePath;
      name_ = ansiFolder + fileName;
      // Without the last backslash, with which the C library finds no
      // folder, unless it is a drive's root.
      folder_ = ansiFolder;
      if (folder_.size() > 3) folder_.pop_back();
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  *reason = kFolderFailure + lastSystemMessage();
  return false;
}
