#include "photometry/ies_reader.h"

#include <filesystem>
#include <locale>

bool IesReader::open(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  stream_.open(path);
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
