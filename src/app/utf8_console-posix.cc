#include "app/utf8_console.h"

// Arguments and standard streams are already the bytes the user gave.
Utf8Console::Utf8Console(int argumentCount, char* argumentVector[])
    : arguments_(argumentVector, argumentVector + argumentCount) {
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
  pointers_.push_back(nullptr);
}

Utf8Console::~Utf8Console() = default;

int Utf8Console::argumentCount() const {
  return static_cast<int>(arguments_.size());
}

char** Utf8Console::argumentVector() { return pointers_.data(); }
