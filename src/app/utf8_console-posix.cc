#include "app/utf8_console.h"

// Arguments and standard streams are already the bytes the user gave.
Utf8Console::Utf8Console(int argumentCount, char* argumentVector[])
    : arguments_(argumentVector, argumentVector + argumentCount) {
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
  pointers_.push_back(nullptr);
}
