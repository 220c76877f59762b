#ifndef LUMTREL_EXPORT_OUTPUT_FILE_H_
#define LUMTREL_EXPORT_OUTPUT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

/// The file that a save writes, put in place only once it is whole, so that
/// a save that fails half way leaves the file at the answer as it was.
///
/// A regular file at the answer, or none, is written into a new file of the
/// tool's own in the answer's folder (".lumtrel-" and eight letters or
/// digits, then ".tmp", created exclusively, so no other file is touched),
/// flushed to the disk and only then moved over the answer. A replaced file
/// keeps its permissions (and, on POSIX, its group; on Windows its
/// attributes and security settings); a new one gets those a created file
/// gets. A symbolic link at the answer is followed: the file it points to is
/// replaced, the link stays. Anything else at the answer (a device such as
/// /dev/null or NUL, a FIFO) is written directly, as it can't be replaced.
/// The new file is removed whenever the save does not reach its end.
class OutputFile {
 public:
  enum class Kind {
    /// Line ends as the platform writes text: CRLF on Windows, LF elsewhere.
    text,
    binary,
  };

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  /// Removes the new file, when commit() has not put it in place.
  virtual ~OutputFile();

  /// Gets ready to write `path`, the answer in UTF-8, before anything is
  /// written: an existing file there must open for writing (without being
  /// truncated) and must not be read-only, for root too; then the new file
  /// is created beside it. Returns false, with the system's words for the
  /// failure in `reason` and nothing changed on the disk, when that fails:
  /// a folder, a missing folder, no permission, a file held open elsewhere
  /// on Windows, a name no file can have.
  bool open(const std::string& path, Kind kind, std::string* reason);

  /// Writes `size` bytes to the new file. Returns false, with the reason,
  /// when the system refuses them (a full disk, a file size limit); the
  /// file at the answer is then still as it was.
  bool write(const char* data, std::size_t size, std::string* reason);

  /// Flushes the new file to the disk and puts it at the answer. Returns
  /// false, with the reason, when that fails; the file at the answer is
  /// then as it was, and the new file is removed.
  bool commit(std::string* reason);

  /// The new file's path while it is being written; empty when the answer
  /// is written directly.
  const std::filesystem::path& newFile() const { return newFile_; }

 protected:
  /// Hands bytes to the system: the one place where the new file's data is
  /// written, so that a test can make it fail as a full disk would.
  virtual bool writeBytes(const char* data, std::size_t size,
                          std::string* reason);

 private:
  void discard();

  Kind kind_ = Kind::binary;
  /// The open file: a descriptor on POSIX, a HANDLE's value on Windows.
  std::intptr_t file_ = -1;
  /// The file the answer names, links followed, that gets replaced.
  std::filesystem::path target_;
  /// Empty when the answer is written directly.
  std::filesystem::path newFile_;
  /// Windows: the name of the tool's own that the replaced file is moved
  /// to while the new one takes its place.
  std::filesystem::path backup_;
  bool replacing_ = false;
  bool committed_ = false;
};

/// Prints the outcome of a save of `path` on `console`: "Saved: <path>"
/// when `saved`, else "Could not save: <path>" and "Reason: <reason>".
/// Returns `saved`.
bool reportSave(bool saved, const std::string& path, const std::string& reason,
                std::ostream& console);

#endif  // LUMTREL_EXPORT_OUTPUT_FILE_H_
