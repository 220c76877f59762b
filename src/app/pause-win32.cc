#include <cstdlib>

#include "app/pause.h"

// The command interpreter's own pause: its prompt on standard output, then a
// wait for a new key at the console; at the end of piped input it returns at
// once.
void pauseBeforeExit(std::ostream& console) {
  console.flush();
  std::system("pause");
}
