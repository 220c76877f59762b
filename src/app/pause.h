#ifndef LUMTREL_APP_PAUSE_H_
#define LUMTREL_APP_PAUSE_H_

#include <ostream>

/// Holds the console open until the user presses a key, so that the report
/// can be read before a console window closes. On Windows this is the
/// command interpreter's "pause", after the keys already waiting at a
/// console have been dropped. Elsewhere, when standard input is a
/// terminal, it prints "Press any key to continue . . . ", discards what was
/// typed before the prompt, waits for one key without echo or Enter, puts the
/// terminal back exactly as it was and ends the line. When standard input is
/// not a terminal it returns at once, so scripts never wait. Writes nothing
/// to standard error.
void pauseBeforeExit(std::ostream& console);

#endif  // LUMTREL_APP_PAUSE_H_
