#pragma once

#include <windows.h>

#include <atomic>

namespace standin::win {

// What DllCanUnloadNow weighs: live objects and LockServer holds.
extern std::atomic<long> gLiveObjects;
extern std::atomic<long> gServerLocks;
// This DLL, for its window class.
extern HINSTANCE gModule;

} // namespace standin::win
