#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <vector>

#include "export/output_file.h"
#include "export/system_message.h"
#include "export/unique_name.h"
#include "photometry/file_path.h"

namespace fs = std::filesystem;

namespace {

// The kernel follows at most 40 links in one path.
constexpr int kMaxLinks = 40;

bool systemFailure(std::string* reason) {
  *reason = lastSystemMessage();
  return false;
}

// `path` with every symbolic link at its end replaced by what it points to,
// a relative target taken from the link's folder: the file that a write
// through `path` reaches, which may not exist yet.
bool followLinks(fs::path path, fs::path* target, std::string* reason) {
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      *target = path;
      return true;
    }
    std::vector<char> text(static_cast<std::size_t>(
                               status.st_size > 4095 ? status.st_size : 4095) +
                           1);
    const ssize_t length = readlink(path.c_str(), text.data(), text.size());
    if (length < 0) return systemFailure(reason);
    if (static_cast<std::size_t>(length) == text.size()) {
      errno = ENAMETOOLONG;
      return systemFailure(reason);
    }
    const fs::path link(std::string(text.data(), length));
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  errno = ELOOP;
  return systemFailure(reason);
}

unsigned long long nameSeed() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (static_cast<unsigned long long>(now.tv_sec) * 1000000000ULL +
          static_cast<unsigned long long>(now.tv_nsec)) ^
         (static_cast<unsigned long long>(getpid()) * 2654435761ULL);
}

// Asks the disk to keep the folder's new entry; where a file system can't,
// the file is in place all the same.
void syncFolder(const fs::path& folder) {
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
  if (file_ >= 0) close(static_cast<int>(file_));
  file_ = -1;
  if (!committed_ && !newFile_.empty()) unlink(newFile_.c_str());
  newFile_.clear();
}

bool OutputFile::open(const std::string& text, Kind kind, std::string* reason) {
  kind_ = kind;
  const fs::path path = pathFromUtf8(text);
  if (path.empty()) {
    *reason = "The name holds a character that no file name can hold.";
    return false;
  }
  if (!followLinks(path, &target_, reason)) return false;
  struct stat status;
  const bool exists = stat(target_.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) return systemFailure(reason);
  if (exists && !S_ISREG(status.st_mode)) {
    // A device or a FIFO can't be replaced: it is written as it is. A
    // folder refuses this.
    const int device =
        ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (device < 0) return systemFailure(reason);
    file_ = device;
    return true;
  }
  if (exists) {
    // What would refuse a write into the file refuses its replacement too,
    // though the folder would allow it; root is refused a read-only file.
    const int check = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (check < 0) return systemFailure(reason);
    close(check);
    if ((status.st_mode & 0222) == 0) {
      errno = EACCES;
      return systemFailure(reason);
    }
    replacing_ = true;
  }

  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  UniqueNames names(nameSeed());
  for (int attempt = 0; attempt < 100 && newFile_.empty(); ++attempt) {
    const fs::path candidate = folder / names.next(".lumtrel-", ".tmp");
    // 0666 less the umask, as any created file gets.
    const int file = ::open(candidate.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0) {
      file_ = file;
      newFile_ = candidate;
    } else if (errno != EEXIST) {
      return systemFailure(reason);
    }
  }
  if (newFile_.empty()) {
    errno = EEXIST;
    return systemFailure(reason);
  }
  if (replacing_) {
    // The group first: changing it may clear the set-ID bits, which the
    // mode then puts back. A group the user is not in stays the user's own.
    if (fchown(static_cast<int>(file_), static_cast<uid_t>(-1),
               status.st_gid) != 0) {
    }
    if (fchmod(static_cast<int>(file_), status.st_mode & 07777) != 0) {
      systemFailure(reason);
      discard();
      return false;
    }
  }
  return true;
}

bool OutputFile::write(const char* data, std::size_t size,
                       std::string* reason) {
  return writeBytes(data, size, reason);
}

bool OutputFile::writeBytes(const char* data, std::size_t size,
                            std::string* reason) {
  while (size > 0) {
    const ssize_t written = ::write(static_cast<int>(file_), data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return systemFailure(reason);
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool OutputFile::commit(std::string* reason) {
  const int file = static_cast<int>(file_);
  file_ = -1;
  if (newFile_.empty()) {
    if (close(file) != 0) return systemFailure(reason);
    committed_ = true;
    return true;
  }
  // The data on the disk before the name points to it, so that a crash
  // leaves the old file or the new one, never an empty one.
  const bool written = fsync(file) == 0;
  const bool closed = close(file) == 0;
  if (!written || !closed || rename(newFile_.c_str(), target_.c_str()) != 0) {
    systemFailure(reason);
    discard();
    return false;
  }
  committed_ = true;
  syncFolder(newFile_.parent_path());
  newFile_.clear();
  return true;
}
