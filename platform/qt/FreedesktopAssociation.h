#pragma once

#include "platform/Shell.h"

namespace vm {

// The freedesktop association through GIO: the file's content type, the
// user's or the system's default application for it, and the program its
// desktop entry runs. Kept apart from Qt, whose "signals" macro the GIO
// headers do not survive.
FileProgram freedesktopProgramFor(const std::string& file);

} // namespace vm
