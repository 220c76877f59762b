#include <cerrno>
#include <cstring>

#include "export/system_message.h"

std::string lastSystemMessage() { return std::strerror(errno); }
