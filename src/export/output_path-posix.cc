#include "export/output_path.h"

// A quote is a legal character in a POSIX file name: every answer is a
// token.
bool readOutputPath(std::istream& answers, std::string* path) {
  path->clear();
  return static_cast<bool>(answers >> *path);
}

std::string answerInUtf8(const std::string& answer, unsigned) { return answer; }
