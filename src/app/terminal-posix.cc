#include <sys/ioctl.h>
#include <unistd.h>

#include "app/terminal.h"

bool outputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

std::size_t terminalWidth() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
    return 80;
  return size.ws_col;
}
