#ifndef LUMTREL_PHOTOMETRY_FILE_PATH_H_
#define LUMTREL_PHOTOMETRY_FILE_PATH_H_

#include <ctime>
#include <filesystem>
#include <string>

/// The file system path named by `text`, a path as the user gave it, in
/// UTF-8. On Windows the text is turned into the UTF-16 name the system
/// uses, so any name Windows can hold works, and a path whose full form
/// reaches 260 characters, which Windows would refuse, is handed over in the
/// extended-length form (\\?\C:\..., \\?\UNC\server\share\...) after Windows'
/// own normalisation (made absolute, "/" turned into "\", "." and ".."
/// resolved, a trailing dot or space of the last name dropped); a shorter
/// path, or one already in that form, is kept as written. Elsewhere the
/// text's bytes are the name. Text that names no file, because it isn't
/// valid UTF-8 on Windows or holds a NUL character (which would cut the name
/// short), gives an empty path, which every open and every check refuses.
/// Never throws.
std::filesystem::path pathFromUtf8(const std::string& text);

/// `text`, a path as the user gave it, as the system resolves its last name:
/// Windows drops the trailing dots and spaces of the last name ("lamp.ldt."
/// opens lamp.ldt), except in the extended-length form (\\?\...), which
/// it takes as written; elsewhere the text is the name as it stands. For
/// telling a file's kind by its name. Never throws.
std::string nameAsOpened(const std::string& text);

/// True when the last name of `path`, as the system opens it (see
/// nameAsOpened), ends in `extension`, given in lower case (".ldt"), in any
/// case of its ASCII letters. Never throws.
bool namesExtension(const std::string& path, const char* extension);

/// True when `path` names an existing regular file, and not a folder, a
/// device or a pipe, which could block or never end. Never throws.
bool isRegularFile(const std::filesystem::path& path);

/// True when `first` and `second` both name one existing file, however each
/// spells it (another case on Windows, "..", a link). False when either
/// names nothing or can't be examined. Never throws.
bool sameFile(const std::filesystem::path& first,
              const std::filesystem::path& second);

/// When the file at `path`, a path as the user gave it, was last modified,
/// in seconds since 1970 (UTC). Returns false, leaving `time` alone, when
/// the file can't be examined. Never throws.
bool lastModified(const std::string& path, std::time_t* time);

#endif  // LUMTREL_PHOTOMETRY_FILE_PATH_H_
