#include "LoginWindows.h"

#include "platform/win32/AnsiText.h"
#include "support/Eventually.h"

#include <algorithm>
#include <vector>

namespace vm::test {

namespace {

std::vector<LoginWindows*> dialogs;
HHOOK keyboardHandling = nullptr;

INT_PTR CALLBACK onDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        reinterpret_cast<LoginWindows*>(::GetWindowLongPtrW(dialog, DWLP_USER))->accepted = true;
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

// Whichever loop runs this thread's messages, the dialogs get their keys
// (Tab, Enter, the mnemonics) first, as a modal dialog's own loop gives them.
LRESULT CALLBACK beforeDispatch(int code, WPARAM removed, LPARAM message) {
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE &&
        std::any_of(dialogs.begin(), dialogs.end(),
                    [&](LoginWindows* w) { return ::IsDialogMessageW(w->dialog, msg); }))
        msg->message = WM_NULL;
    return ::CallNextHookEx(nullptr, code, removed, message);
}

} // namespace

std::optional<std::string> noDisplayReason() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (::GetProcAddress(ntdll, "wine_get_version"))
        return ::GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0
                   ? std::optional<std::string>("wine has no X display (DISPLAY is not set)")
                   : std::nullopt;
    USEROBJECTFLAGS flags{};
    ::GetUserObjectInformationW(::GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                nullptr);
    return flags.dwFlags & WSF_VISIBLE ? std::nullopt
                                       : std::optional<std::string>("no interactive desktop");
}

bool queueIsEmpty() {
    MSG message;
    return !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

LoginWindows::LoginWindows(const wchar_t* frameClass, const wchar_t* title, bool show) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = frameClass;
    ::RegisterClassW(&windowClass); // fails harmlessly once registered
    frame = ::CreateWindowExW(0, frameClass, L"Frame", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                              nullptr, instance, nullptr);
    dialog = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(1), frame, onDialogMessage,
                                  reinterpret_cast<LPARAM>(this));
    ::SetWindowTextW(dialog, title);
    ::SetDlgItemTextW(dialog, kName, L"old-name");
    ::SetDlgItemTextW(dialog, kPassword, L"old-pass");
    if (dialogs.empty())
        keyboardHandling =
            ::SetWindowsHookExW(WH_GETMESSAGE, beforeDispatch, nullptr, ::GetCurrentThreadId());
    dialogs.push_back(this);
    if (show) {
        ::ShowWindow(frame, SW_SHOW);
        ::ShowWindow(dialog, SW_SHOW);
        takeFocus();
    }
}

LoginWindows::~LoginWindows() {
    dialogs.erase(std::find(dialogs.begin(), dialogs.end(), this));
    if (dialogs.empty())
        ::UnhookWindowsHookEx(keyboardHandling);
    ::DestroyWindow(dialog);
    ::DestroyWindow(frame);
}

bool LoginWindows::takeFocus() {
    // Under wine the window manager may hand the focus to the frame after
    // the dialog has asked for it.
    return eventually(
        [&] {
            if (::GetForegroundWindow() != dialog)
                ::SetForegroundWindow(dialog);
            return ::IsChild(dialog, ::GetFocus());
        },
        std::chrono::seconds(5));
}

std::string LoginWindows::field(int id) const {
    wchar_t text[256];
    return win32::fromWide(
        {text, static_cast<std::size_t>(::GetDlgItemTextW(dialog, id, text, 256))});
}

} // namespace vm::test
