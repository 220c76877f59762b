#include "app/utf8_console.h"

#include <iostream>

Utf8Console::~Utf8Console() {
  std::cout.flush();
  if (savedOutput_) std::cout.rdbuf(savedOutput_);
  if (savedInput_) std::cin.rdbuf(savedInput_);
}

int Utf8Console::argumentCount() const {
  return static_cast<int>(arguments_.size());
}

char** Utf8Console::argumentVector() { return pointers_.data(); }
