#include "app/utf8_console.h"

// shellapi.h builds on windows.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <iostream>

namespace {

// Invalid sequences become U+FFFD in both directions: text shown or typed
// is never refused, only a file name that can't be converted is.
std::string utf8FromWide(const wchar_t* wide, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0,
                                       nullptr, nullptr);
  std::string text(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr,
                        nullptr);
  return text;
}

std::wstring wideFromUtf8(const char* text, int length) {
  if (length <= 0) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
  std::wstring wide(size > 0 ? size : 0, L'\0');
  if (size > 0)
    MultiByteToWideChar(CP_UTF8, 0, text, length, wide.data(), size);
  return wide;
}

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// The length of the part of `text` that ends with a whole UTF-8 sequence:
// a character split between two writes is kept back for the next one.
std::size_t wholeSequences(const std::string& text) {
  std::size_t start = text.size();
  for (int back = 0; back < 4 && start > 0; ++back) {
    const unsigned char byte = static_cast<unsigned char>(text[--start]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const int length = byte >= 0xF0   ? 4
                       : byte >= 0xE0 ? 3
                       : byte >= 0xC0 ? 2
                                      : 1;
    return start + length <= text.size() ? text.size() : start;
  }
  return text.size();
}

// Writes UTF-8 text to a console as UTF-16, when flushed.
class ConsoleOutput : public std::streambuf {
 public:
  explicit ConsoleOutput(HANDLE console) : console_(console) {}
  ~ConsoleOutput() override { sync(); }

 protected:
  int_type overflow(int_type character) override {
    if (!traits_type::eq_int_type(character, traits_type::eof()))
      pending_.push_back(traits_type::to_char_type(character));
    return traits_type::not_eof(character);
  }

  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    return count;
  }

  int sync() override {
    const std::size_t whole = wholeSequences(pending_);
    const std::wstring wide =
        wideFromUtf8(pending_.data(), static_cast<int>(whole));
    pending_.erase(0, whole);
    const wchar_t* next = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    while (left > 0) {
      DWORD written = 0;
      if (!WriteConsoleW(console_, next, left, &written, nullptr) || !written)
        return -1;
      next += written;
      left -= written;
    }
    return 0;
  }

 private:
  const HANDLE console_;
  std::string pending_;
};

// Reads a console's lines as UTF-16 and hands them on as UTF-8. Each read
// takes what the console gives, a whole typed line, so the rest of the line
// an answer came from is gone before anything waits for a new key.
class ConsoleInput : public std::streambuf {
 public:
  explicit ConsoleInput(HANDLE console) : console_(console) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    wchar_t wide[1024];
    wide[0] = highSurrogate_;
    const DWORD start = highSurrogate_ ? 1 : 0;
    DWORD read = 0;
    if (!ReadConsoleW(console_, wide + start, 1024 - start, &read, nullptr) ||
        read == 0)
      return traits_type::eof();
    // Ctrl-Z at the start of a line is how a console ends its input.
    if (wide[start] == 0x1A) return traits_type::eof();
    DWORD length = start + read;
    highSurrogate_ = 0;
    if (wide[length - 1] >= 0xD800 && wide[length - 1] < 0xDC00)
      highSurrogate_ = wide[--length];
    line_ = utf8FromWide(wide, static_cast<int>(length));
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    if (line_.empty()) return underflow();
    return traits_type::to_int_type(*gptr());
  }

 private:
  const HANDLE console_;
  std::string line_;
  wchar_t highSurrogate_ = 0;
};

}  // namespace

Utf8Console::Utf8Console(int argumentCount, char* argumentVector[]) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 0; i < count; ++i)
      arguments_.push_back(
          utf8FromWide(wide[i], static_cast<int>(wcslen(wide[i]))));
    LocalFree(wide);
  } else {
    arguments_.assign(argumentVector, argumentVector + argumentCount);
  }
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
  pointers_.push_back(nullptr);

  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (isConsole(output)) {
    std::cout.flush();
    consoleOutput_ = std::make_unique<ConsoleOutput>(output);
    savedOutput_ = std::cout.rdbuf(consoleOutput_.get());
  }
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (isConsole(input)) {
    consoleInput_ = std::make_unique<ConsoleInput>(input);
    savedInput_ = std::cin.rdbuf(consoleInput_.get());
  }
}
