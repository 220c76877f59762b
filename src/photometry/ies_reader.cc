#include "photometry/ies_reader.h"

#include <filesystem>
#include <locale>

#include "photometry/file_path.h"

bool IesReader::open(const std::string& path) {
  std::error_code error;
  const std::filesystem::path file = pathFromUtf8(path);
  if (!std::filesystem::is_regular_file(file, error)) return false;
  stream_.open(file);
  stream_.imbue(std::locale::classic());
  return stream_.is_open();
}

bool IesReader::readToken(std::string* token) {
  stream_ >> *token;
  return !stream_.fail();
}

bool IesReader::readInteger(int* value) {
  stream_ >> *value;
  return !stream_.fail();
}

bool IesReader::readReal(float* value) {
  stream_ >> *value;
  return !stream_.fail();
}
