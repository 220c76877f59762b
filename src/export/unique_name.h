#ifndef LUMTREL_EXPORT_UNIQUE_NAME_H_
#define LUMTREL_EXPORT_UNIQUE_NAME_H_

#include <string>

/// Names for files of the tool's own, which it creates exclusively and tries
/// afresh under the next name while one of that name exists already.
class UniqueNames {
 public:
  /// `seed` should differ between processes and runs: a process id mixed
  /// with a clock.
  explicit UniqueNames(unsigned long long seed) : state_(seed) {}

  /// `prefix`, eight lower-case letters or digits, then `suffix`; ASCII
  /// throughout, so that the name converts to any code page.
  std::string next(const char* prefix, const char* suffix);

 private:
  unsigned long long state_;
};

#endif  // LUMTREL_EXPORT_UNIQUE_NAME_H_
