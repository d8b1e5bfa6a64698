#pragma once

#include "platform/WindowSearch.h"

#include <windows.h>

#include <cstdint>

namespace vm::win32 {

// A window's id is its handle's value.
inline WindowId idOf(HWND window) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window));
}

inline HWND handleOf(WindowId window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

} // namespace vm::win32
