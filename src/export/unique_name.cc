#include "export/unique_name.h"

std::string UniqueNames::next(const char* prefix, const char* suffix) {
  // A 64-bit linear congruential step; its high bits vary the most.
  state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
  std::string name = prefix;
  for (int i = 0; i < 8; ++i)
    name += "0123456789abcdefghijklmnopqrstuv"[(state_ >> (5 * i + 20)) & 31];
  return name + suffix;
}
