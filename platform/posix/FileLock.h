#pragma once

#include "platform/LockedFile.h"
#include "platform/posix/UniqueFd.h"

#include <chrono>
#include <string>
#include <sys/types.h>

namespace vm {

enum class LockKind { Shared, Exclusive };

// Takes the advisory lock that serialises access to the file at `dataPath`
// among processes and users, waiting while another holds it, for at most the
// lock patience. The lock is held for as long as the returned descriptor is
// open; an invalid descriptor means that no lock could be had, and
// `timedOut` then tells whether another process held it all along. `dataMode` holds the permission
// bits the data file has, or will be created with; a lock file made here is shaped after them.
UniqueFd lockDataFile(const std::string& dataPath, LockKind kind, mode_t dataMode,
                      bool* timedOut = nullptr);

} // namespace vm
