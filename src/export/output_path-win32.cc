#include <windows.h>

#include <climits>

#include "export/output_path.h"

namespace {

// What cmd writes to a pipe: text in the console's output code page, or in
// the ANSI code page when the process has no console.
unsigned pipedCodePage() {
  const UINT console = GetConsoleOutputCP();
  return console != 0 ? console : GetACP();
}

// The quoted answer after its opening quote: up to the closing quote on the
// same line, or the rest of the line without its trailing blanks.
std::string quotedAnswer(std::istream& answers) {
  std::string line;
  std::getline(answers, line);
  const std::size_t closing = line.find('"');
  if (closing != std::string::npos) return line.substr(0, closing);
  line.erase(line.find_last_not_of(" \t\r") + 1);
  return line;
}

}  // namespace

bool readOutputPath(std::istream& answers, std::string* path) {
  path->clear();
  answers >> std::ws;
  if (answers.peek() == '"') {
    answers.get();
    *path = quotedAnswer(answers);
  } else {
    answers >> *path;
  }
  *path = answerInUtf8(*path, pipedCodePage());
  return !path->empty();
}

std::string answerInUtf8(const std::string& answer, unsigned codePage) {
  if (answer.empty() || answer.size() > INT_MAX) return answer;
  const int length = static_cast<int>(answer.size());
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, answer.data(), length,
                          nullptr, 0) > 0)
    return answer;
  const int wideSize =
      MultiByteToWideChar(codePage, 0, answer.data(), length, nullptr, 0);
  if (wideSize <= 0) return answer;
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  MultiByteToWideChar(codePage, 0, answer.data(), length, wide.data(),
                      wideSize);
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize,
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, text.data(), size,
                        nullptr, nullptr);
  return text;
}
