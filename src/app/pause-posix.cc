#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "app/pause.h"

namespace {

// Puts a terminal into single-key mode for as long as it lives, and back into
// the mode it found when it is destroyed.
class SingleKeyMode {
 public:
  explicit SingleKeyMode(int terminal) : terminal_(terminal) {
    if (tcgetattr(terminal_, &saved_) != 0) return;
    termios singleKey = saved_;
    // No line editing, no echo, and no signal or flow-control keys: Ctrl-C
    // is a key press like any other, so the wait always ends here and the
    // terminal is always put back.
    singleKey.c_lflag &= ~(ICANON | ECHO | ISIG | IEXTEN);
    singleKey.c_iflag &= ~(IXON);
    singleKey.c_cc[VMIN] = 1;
    singleKey.c_cc[VTIME] = 0;
    // TCSAFLUSH drops what was typed before the prompt, such as the rest of
    // the line that held the output path.
    active_ = tcsetattr(terminal_, TCSAFLUSH, &singleKey) == 0;
  }
  ~SingleKeyMode() {
    // Flushing again drops the rest of a key that sends several bytes (an
    // arrow key), which would otherwise reach the shell.
    if (active_) tcsetattr(terminal_, TCSAFLUSH, &saved_);
  }
  SingleKeyMode(const SingleKeyMode&) = delete;
  SingleKeyMode& operator=(const SingleKeyMode&) = delete;

  bool active() const { return active_; }

 private:
  const int terminal_;
  termios saved_{};
  bool active_ = false;
};

}  // namespace

void pauseBeforeExit(std::ostream& console) {
  if (!isatty(STDIN_FILENO)) return;
  console << "Press any key to continue . . . " << std::flush;
  {
    const SingleKeyMode mode(STDIN_FILENO);
    char key = 0;
    while (mode.active() && read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
    }
  }
  console << std::endl;
}
