#include <windows.h>

#include <climits>

#include "export/output_file.h"
#include "export/system_message.h"
#include "export/unique_name.h"
#include "photometry/file_path.h"

namespace fs = std::filesystem;

namespace {

bool systemFailure(std::string* reason) {
  *reason = lastSystemMessage();
  return false;
}

HANDLE handleOf(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

// The full path that Windows makes of `path` ("." and ".." resolved, a
// trailing dot or space of the last name dropped), in the extended-length
// form where it is that long: the file that a write through `path` reaches.
fs::path fullPath(const fs::path& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD length =
      GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return {};
  full.resize(length);
  return pathFromUtf8(fs::path(full).u8string());
}

// A file of `name` in the folder of the full path `file`, in the
// extended-length form where the whole is that long.
fs::path beside(const fs::path& file, const std::string& name) {
  const std::wstring& text = file.native();
  const std::size_t slash = text.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  return pathFromUtf8(fs::path(text.substr(0, slash + 1)).u8string() + name);
}

bool isThere(const fs::path& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates an empty file at `path`, only if none is there. Leaves it open
// in `handle` when that is given.
bool createNew(const fs::path& path, HANDLE* handle) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  if (handle) {
    *handle = file;
  } else {
    CloseHandle(file);
  }
  return true;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
  if (file_ != -1) CloseHandle(handleOf(file_));
  file_ = -1;
  if (!committed_ && !newFile_.empty()) DeleteFileW(newFile_.c_str());
  newFile_.clear();
  // The placeholder for the replaced file's backup, unless the replaced
  // file is there and nowhere else.
  if (!backup_.empty() && isThere(target_)) DeleteFileW(backup_.c_str());
  backup_.clear();
}

bool OutputFile::open(const std::string& text, Kind kind, std::string* reason) {
  kind_ = kind;
  const fs::path path = pathFromUtf8(text);
  if (path.empty()) {
    *reason = "The name holds a character that no file name can hold.";
    return false;
  }
  // What would refuse a write into the file refuses its replacement too: a
  // read-only file, one held open elsewhere without sharing its writes.
  const HANDLE existing =
      CreateFileW(path.c_str(), GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    if (GetFileType(existing) != FILE_TYPE_DISK) {
      // A device (NUL, CON, COM1) can't be replaced: it is written as it is.
      file_ = reinterpret_cast<std::intptr_t>(existing);
      return true;
    }
    CloseHandle(existing);
    replacing_ = true;
  } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
    return systemFailure(reason);
  }

  target_ = fullPath(path);
  if (target_.empty()) return systemFailure(reason);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  UniqueNames names(static_cast<unsigned long long>(counter.QuadPart) ^
                    (GetCurrentProcessId() * 2654435761ULL));
  for (int attempt = 0; attempt < 100 && newFile_.empty(); ++attempt) {
    const std::string name = names.next(".lumtrel-", "");
    const fs::path candidate = beside(target_, name + ".tmp");
    HANDLE file = INVALID_HANDLE_VALUE;
    if (createNew(candidate, &file)) {
      file_ = reinterpret_cast<std::intptr_t>(file);
      newFile_ = candidate;
      // ReplaceFileW moves the replaced file to a backup name: one that is
      // the tool's own too, reserved here.
      if (replacing_) {
        const fs::path backup = beside(target_, name + ".bak");
        if (!createNew(backup, nullptr)) {
          systemFailure(reason);
          discard();
          return false;
        }
        backup_ = backup;
      }
    } else if (GetLastError() != ERROR_FILE_EXISTS) {
      return systemFailure(reason);
    }
  }
  if (newFile_.empty()) {
    SetLastError(ERROR_FILE_EXISTS);
    return systemFailure(reason);
  }
  return true;
}

bool OutputFile::write(const char* data, std::size_t size,
                       std::string* reason) {
  if (kind_ == Kind::binary) return writeBytes(data, size, reason);
  std::string lines;
  lines.reserve(size + size / 16);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') lines += '\r';
    lines += data[i];
  }
  return writeBytes(lines.data(), lines.size(), reason);
}

bool OutputFile::writeBytes(const char* data, std::size_t size,
                            std::string* reason) {
  while (size > 0) {
    const DWORD piece =
        static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
    DWORD written = 0;
    if (!WriteFile(handleOf(file_), data, piece, &written, nullptr))
      return systemFailure(reason);
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return systemFailure(reason);
    }
    data += written;
    size -= written;
  }
  return true;
}

bool OutputFile::commit(std::string* reason) {
  const HANDLE file = handleOf(file_);
  file_ = -1;
  if (newFile_.empty()) {
    if (!CloseHandle(file)) return systemFailure(reason);
    committed_ = true;
    return true;
  }
  const bool flushed = FlushFileBuffers(file);
  const DWORD flushError = GetLastError();
  CloseHandle(file);
  bool placed = false;
  if (!flushed) {
    SetLastError(flushError);
  } else if (!replacing_) {
    placed =
        MoveFileExW(newFile_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH);
  } else {
    placed = ReplaceFileW(target_.c_str(), newFile_.c_str(), backup_.c_str(),
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    const DWORD error = GetLastError();
    if (!placed &&
        (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
         error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) &&
        !isThere(target_)) {
      // The old file is at the backup name and the answer is missing: the
      // new file goes there, or else the old one back.
      placed = MoveFileExW(newFile_.c_str(), target_.c_str(),
                           MOVEFILE_WRITE_THROUGH);
      if (!placed)
        MoveFileExW(backup_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    SetLastError(error);
  }
  if (!placed) {
    systemFailure(reason);
    discard();
    return false;
  }
  committed_ = true;
  newFile_.clear();
  discard();
  return true;
}
