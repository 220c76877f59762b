#ifndef LUMTREL_EXPORT_TEMP_FILE_H_
#define LUMTREL_EXPORT_TEMP_FILE_H_

#include <filesystem>
#include <string>

/// A file of the tool's own in the system's temporary folder (TMPDIR, or
/// /tmp; on Windows TMP, TEMP or the user's profile), under a unique ASCII
/// name that was created exclusively, so no other file is ever touched. For
/// a library that opens files with the C library's fopen, which on Windows
/// takes names in the ANSI code page only. Removed when the object goes.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile();

  /// Creates an empty file named "lumtrel-" and some letters and digits,
  /// then `suffix`. Returns false, with the reason, when the temporary
  /// folder can't be found or written, or, on Windows, can't be named in
  /// the ANSI code page: not as it stands, and not in its 8.3 short form
  /// either.
  bool create(const char* suffix, std::string* reason);

  /// The file's name and its folder's as fopen takes them.
  const std::string& name() const { return name_; }
  const std::string& folder() const { return folder_; }

  /// The file as std::filesystem and the C++ streams name it.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::string name_;
  std::string folder_;
  std::filesystem::path path_;
};

#endif  // LUMTREL_EXPORT_TEMP_FILE_H_
