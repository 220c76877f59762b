#ifndef LUMTREL_PHOTOMETRY_FILE_PATH_H_
#define LUMTREL_PHOTOMETRY_FILE_PATH_H_

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

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

/// True when `text`, a path as the user gave it, names a folder, or a link
/// to one. Never throws.
bool isFolder(const std::string& text);

/// The folder argument that `text` stands for: on Windows without the
/// double quote that a quoted path ending in a backslash ("D:\Lamps\")
/// leaves at its end once the command line is split; elsewhere as it
/// stands. Never throws.
std::string folderArgument(const std::string& text);

/// The path of the file `name` in the folder `folder`, as parse() and the
/// saves take it: on Windows in the extended-length form of its full path,
/// so that a name ending in a dot or a space opens that very file. Never
/// throws.
std::string fileInFolder(const std::string& folder, const std::string& name);

/// The folder part of the path `text`, up to and with its last separator
/// ("/"; on Windows also "\" and a drive's "C:"); empty for a bare name.
/// Never throws.
std::string folderOf(const std::string& text);

/// The names of the photometric files directly in `folder`: each entry
/// that is a regular file or a link to one, whose name ends in ".ies" or
/// ".ldt" in any case, in the byte order of their UTF-8 names. Returns
/// false, with the system's words in `reason`, when the folder can't be
/// listed. Never throws.
bool listPhotometricFiles(const std::string& folder,
                          std::vector<std::string>* names, std::string* reason);

#endif  // LUMTREL_PHOTOMETRY_FILE_PATH_H_
