#ifndef LUMTREL_APP_TERMINAL_H_
#define LUMTREL_APP_TERMINAL_H_

#include <cstddef>

/// True when standard output is a terminal (on Windows a console), where
/// a line can be rewritten in place. Never fails.
bool outputIsTerminal();

/// The width of standard output's terminal in characters; 80 where it
/// can't be told. Never fails.
std::size_t terminalWidth();

#endif  // LUMTREL_APP_TERMINAL_H_
