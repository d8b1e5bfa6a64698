#pragma once

#include "host-standin/core/HostState.h"

#include <windows.h>

namespace standin::win {

// The host's behaviour is the portable core's; this folder adds Win32 and COM.
// The host's "Login to <database>" dialog, run modally over the frame that
// owns it.
class LoginDialog {
public:
    LoginDialog(const std::string& databaseName, const std::string& suggestedUser,
                const std::function<void()>& shown)
        : databaseName_(databaseName), suggestedUser_(suggestedUser), shown_(shown) {}

    // Returns once the user has answered; nothing when cancelled. While it
    // runs, `current` holds the dialog so that the frame can end it.
    core::LoginPrompt::Answer run(HWND owner, HWND* current);

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR initialise(HWND dialog);

    const std::string& databaseName_;
    const std::string& suggestedUser_;
    const std::function<void()>& shown_;
    HWND* current_ = nullptr;
    core::LoginPrompt::Answer answer_;
};

} // namespace standin::win
