#include <windows.h>

#include <climits>

#include "photometry/file_path.h"

namespace {

bool startsWith(const std::wstring& text, const wchar_t* start) {
  return text.rfind(start, 0) == 0;
}

// Windows refuses a path whose full form is MAX_PATH characters or more
// unless it is in the extended-length form. That form reaches the file
// system as it stands, without the normalisation Windows gives every other
// path, so only the full path that GetFullPathNameW has normalised may get
// the prefix. A path Windows takes as it is stays as the user wrote it.
std::wstring withinLengthLimit(const std::wstring& path) {
  if (startsWith(path, L"\\\\?\\")) return path;
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length =
      GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  if (full.size() < MAX_PATH) return path;
  if (startsWith(full, L"\\\\.\\") || startsWith(full, L"\\\\?\\"))
    return path;  // a device, whose name Windows reads as it is
  if (startsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// An open handle to what `path` names, for reading its attributes only:
// never its data, and not blocked by others who have it open. Folders
// open too.
class AttributeHandle {
 public:
  explicit AttributeHandle(const std::filesystem::path& path)
      : handle_(path.empty()
                    ? INVALID_HANDLE_VALUE
                    : CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE |
                                      FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  ~AttributeHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  AttributeHandle(const AttributeHandle&) = delete;
  AttributeHandle& operator=(const AttributeHandle&) = delete;

  // The file's attributes and identity, when it is a file on a disk.
  bool diskFileInformation(BY_HANDLE_FILE_INFORMATION* information) const {
    return handle_ != INVALID_HANDLE_VALUE &&
           GetFileType(handle_) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(handle_, information);
  }

 private:
  const HANDLE handle_;
};

}  // namespace

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
  return withinLengthLimit(wide);
}

std::string nameAsOpened(const std::string& text) {
  if (text.rfind("\\\\?\\", 0) == 0) return text;
  const std::size_t kept = text.find_last_not_of(". ");
  return kept == std::string::npos ? std::string() : text.substr(0, kept + 1);
}

// Asked of Windows directly: the C library's stat, which std::filesystem
// uses here, refuses every extended-length path because of its "?".
bool isRegularFile(const std::filesystem::path& path) {
  BY_HANDLE_FILE_INFORMATION information;
  return AttributeHandle(path).diskFileInformation(&information) &&
         !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool sameFile(const std::filesystem::path& first,
              const std::filesystem::path& second) {
  BY_HANDLE_FILE_INFORMATION one, other;
  return AttributeHandle(first).diskFileInformation(&one) &&
         AttributeHandle(second).diskFileInformation(&other) &&
         one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
         one.nFileIndexHigh == other.nFileIndexHigh &&
         one.nFileIndexLow == other.nFileIndexLow;
}

bool lastModified(const std::string& path, std::time_t* time) {
  const std::filesystem::path name = pathFromUtf8(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (name.empty() ||
      !GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
    return false;
  // FILETIME counts 100 ns from 1601; time_t seconds from 1970.
  const ULONGLONG ticks =
      (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  constexpr ULONGLONG kTicksTo1970 = 116444736000000000ULL;
  if (ticks < kTicksTo1970) return false;
  *time = static_cast<std::time_t>((ticks - kTicksTo1970) / 10000000ULL);
  return true;
}

bool isFolder(const std::string& text) {
  BY_HANDLE_FILE_INFORMATION information;
  return AttributeHandle(pathFromUtf8(text))
             .diskFileInformation(&information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string folderArgument(const std::string& text) {
  if (!text.empty() && text.back() == '"')
    return text.substr(0, text.size() - 1);
  return text;
}

std::string fileInFolder(const std::string& folder, const std::string& name) {
  std::wstring full = pathFromUtf8(folder).native();
  if (!startsWith(full, L"\\\\?\\")) {
    const DWORD size = GetFullPathNameW(full.c_str(), 0, nullptr, nullptr);
    std::wstring buffer(size, L'\0');
    const DWORD length =
        size ? GetFullPathNameW(full.c_str(), size, buffer.data(), nullptr) : 0;
    if (length == 0 || length >= size) return folder + "\\" + name;
    buffer.resize(length);
    full = startsWith(buffer, L"\\\\") ? L"\\\\?\\UNC\\" + buffer.substr(2)
                                       : L"\\\\?\\" + buffer;
  }
  if (full.back() != L'\\') full += L'\\';
  return std::filesystem::path(full).u8string() + name;
}

std::string folderOf(const std::string& text) {
  const std::size_t separator = text.find_last_of("/\\");
  if (separator != std::string::npos) return text.substr(0, separator + 1);
  if (text.size() >= 2 && text[1] == ':') return text.substr(0, 2);
  return std::string();
}
