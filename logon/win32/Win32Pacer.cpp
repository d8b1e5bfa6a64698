#include "logon/win32/Win32Pacer.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace vm::logon {

namespace {

constexpr wchar_t kWindowClass[] = L"Velmaris.logon";
// How long the system may wait for the cleanup once the console is closing,
// well within the five seconds it allows.
constexpr DWORD kCleanupTimeoutMs = 2000;

// The console handler runs on a thread of its own and knows no object.
HANDLE stopEvent = nullptr;
HANDLE cleanedUp = nullptr;
std::atomic<bool> stoppedByConsole{false};

void requestStop() {
    ::SetEvent(stopEvent);
}

BOOL WINAPI onConsoleEvent(DWORD) {
    stoppedByConsole = true;
    requestStop();
    // The system ends the process as soon as the handler returns from a
    // close, logoff or shutdown event.
    ::WaitForSingleObject(cleanedUp, kCleanupTimeoutMs);
    return TRUE;
}

LRESULT CALLBACK onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The window stays until the program ends on its own.
        requestStop();
        return 0;
    case WM_QUERYENDSESSION:
        requestStop();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            requestStop();
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

// Top-level rather than message-only, since only top-level windows receive
// the end of the session and taskkill's WM_CLOSE. It is never shown.
HWND createHiddenWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = onWindowMessage;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"logon", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, windowClass.hInstance, nullptr);
}

void runPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            requestStop();
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace

Win32Pacer::Win32Pacer() {
    if (stopEvent)
        throw std::logic_error("A process has one pacer");
    stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    cleanedUp = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stopEvent || !cleanedUp)
        throw std::runtime_error("Cannot create the events that stop logon");
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    window_ = createHiddenWindow();
}

Win32Pacer::~Win32Pacer() {
    ::SetEvent(cleanedUp);
    if (window_)
        ::DestroyWindow(static_cast<HWND>(window_));
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

bool Win32Pacer::sleepUntil(Clock::time_point when) {
    for (;;) {
        runPendingMessages();
        if (stopRequested())
            return false;
        const auto left = when - Clock::now();
        if (left <= Clock::duration::zero())
            return true;
        const auto leftMs = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        ::MsgWaitForMultipleObjectsEx(1, &stopEvent, static_cast<DWORD>(leftMs), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
    }
}

bool Win32Pacer::stopRequested() {
    return ::WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0;
}

int Win32Pacer::finish() {
    ::SetEvent(cleanedUp);
    return stoppedByConsole ? static_cast<int>(STATUS_CONTROL_C_EXIT) : 0;
}

} // namespace vm::logon
