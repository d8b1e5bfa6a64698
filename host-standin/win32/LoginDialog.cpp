#include "LoginDialog.h"

#include "ComText.h"
#include "LoginDialogIds.h"

namespace standin::win {

using namespace standin::core;

namespace {

std::string itemText(HWND dialog, int item) {
    HWND control = ::GetDlgItem(dialog, item);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return utf8Of(text);
}

} // namespace

LoginPrompt::Answer LoginDialog::run(HWND owner, HWND* current) {
    current_ = current;
    const INT_PTR result =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_LOGIN), owner,
                          procedure, reinterpret_cast<LPARAM>(this));
    *current = nullptr;
    // A cancelled login is recorded without what was typed, as it always was here.
    return result == IDOK ? answer_ : LoginPrompt::Answer{};
}

INT_PTR LoginDialog::initialise(HWND dialog) {
    *current_ = dialog;
    ::SetWindowTextW(dialog, wideOf("Login to " + databaseName_).c_str());
    ::SetDlgItemTextW(
        dialog, IDC_LOGIN_INTRO,
        wideOf("Enter your user name and password for " + databaseName_ + ".").c_str());
    ::SetDlgItemTextW(dialog, IDC_LOGIN_NAME, wideOf(suggestedUser_).c_str());
    ::SetForegroundWindow(dialog);
    ::SetFocus(::GetDlgItem(dialog, suggestedUser_.empty() ? IDC_LOGIN_NAME : IDC_LOGIN_PASSWORD));
    shown_();
    // The focus is set: the dialog manager must not move it.
    return FALSE;
}

INT_PTR CALLBACK LoginDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return reinterpret_cast<LoginDialog*>(lParam)->initialise(dialog);
    }
    auto* self = reinterpret_cast<LoginDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        self->answer_ = {true, itemText(dialog, IDC_LOGIN_NAME),
                         itemText(dialog, IDC_LOGIN_PASSWORD)};
        ::EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace standin::win
