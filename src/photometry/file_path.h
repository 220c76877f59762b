#ifndef LUMTREL_PHOTOMETRY_FILE_PATH_H_
#define LUMTREL_PHOTOMETRY_FILE_PATH_H_

#include <filesystem>
#include <string>

/// The file system path named by `text`, a path as the user gave it, in
/// UTF-8. On Windows the text is turned into the UTF-16 name the system
/// uses, so any name Windows can hold works; elsewhere its bytes are the
/// name. Text that names no file, because it isn't valid UTF-8 on Windows or
/// holds a NUL character (which would cut the name short), gives an empty
/// path, which every open and every check refuses. Never throws.
std::filesystem::path pathFromUtf8(const std::string& text);

#endif  // LUMTREL_PHOTOMETRY_FILE_PATH_H_
