#pragma once

#include <windows.h>

namespace standin::win {

// How the event control and the host's frame find each other. The control
// hands the frame a window of the subscriber's thread; the frame posts to it
// when its user closes the host, so the event runs on that thread's loop.
inline constexpr const wchar_t* kFrameClass = L"ACT3.0FrameClass";

// wParam: the subscriber's window. The frame answers 1 once it has it.
inline UINT subscribeMessage() {
    return ::RegisterWindowMessageW(L"Velmaris.HostStandin.Subscribe");
}
// wParam: the subscriber's window.
inline UINT unsubscribeMessage() {
    return ::RegisterWindowMessageW(L"Velmaris.HostStandin.Unsubscribe");
}
// Posted to each subscriber's window when the user closes the host.
inline UINT userWantsToCloseMessage() {
    return ::RegisterWindowMessageW(L"Velmaris.HostStandin.UserWantsToClose");
}

} // namespace standin::win
