#include <windows.h>

#include <cstdlib>

#include "app/pause.h"

// The command interpreter's own pause: its prompt on standard output, then a
// wait for a key at the console; at the end of piped input it returns at
// once. Keys already waiting at the console, such as a second line pasted
// with the answer, are dropped first, so that only a new key ends the wait.
void pauseBeforeExit(std::ostream& console) {
  console.flush();
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode)) FlushConsoleInputBuffer(input);
  std::system("pause");
}
