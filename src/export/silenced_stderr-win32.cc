#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "export/silenced_stderr.h"

// The C runtime's descriptors, which the library's fprintf(stderr) uses.
SilencedStandardError::SilencedStandardError() {
  std::fflush(stderr);
  const int nowhere = _open("NUL", _O_WRONLY);
  if (nowhere < 0) return;
  saved_ = _dup(2);
  if (saved_ >= 0 && _dup2(nowhere, 2) != 0) {
    _close(saved_);
    saved_ = -1;
  }
  _close(nowhere);
}

SilencedStandardError::~SilencedStandardError() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  _dup2(saved_, 2);
  _close(saved_);
}
