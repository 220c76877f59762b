#ifndef LUMTREL_APP_UTF8_CONSOLE_H_
#define LUMTREL_APP_UTF8_CONSOLE_H_

#include <memory>
#include <streambuf>
#include <string>
#include <vector>

/// The process's text in UTF-8, whatever the platform: its command-line
/// arguments, std::cout and std::cin. On Windows the arguments are taken as
/// the system hands them over (UTF-16) and turned into UTF-8; for as long as
/// the object lives, std::cout writes to a console as UTF-16 and std::cin
/// reads a console as UTF-16, turned from and to UTF-8, so that any file
/// name shows and is typed as written, whatever the console's code page. A
/// pipe or a file gets and gives UTF-8 bytes. On other systems arguments and
/// streams are bytes already and are left as they are. Create one, first
/// thing in main(); it can't fail.
class Utf8Console {
 public:
  Utf8Console(int argumentCount, char* argumentVector[]);
  /// Flushes std::cout and gives both streams their own buffers back.
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

  /// The arguments in UTF-8, the program name first, in the shape main()
  /// gets them: argumentCount() entries, then a null pointer.
  int argumentCount() const;
  char** argumentVector();

 private:
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
  std::unique_ptr<std::streambuf> consoleOutput_;
  std::unique_ptr<std::streambuf> consoleInput_;
  std::streambuf* savedOutput_ = nullptr;
  std::streambuf* savedInput_ = nullptr;
};

#endif  // LUMTREL_APP_UTF8_CONSOLE_H_
