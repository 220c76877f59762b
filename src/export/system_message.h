#ifndef LUMTREL_EXPORT_SYSTEM_MESSAGE_H_
#define LUMTREL_EXPORT_SYSTEM_MESSAGE_H_

#include <string>

/// The system's own words, in UTF-8, for why the last system call of this
/// thread failed ("No space left on device"): on Windows the message of
/// GetLastError() in the user's language, without its line end; elsewhere
/// strerror(errno). Never fails.
std::string lastSystemMessage();

#endif  // LUMTREL_EXPORT_SYSTEM_MESSAGE_H_
