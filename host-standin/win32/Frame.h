#pragma once

#include "host-standin/core/HostState.h"

#include <windows.h>

#include <set>
#include <string>

namespace standin::win {

// The host's behaviour is the portable core's; this folder adds Win32 and COM.
// The host's main window, of the class other programs know the host by. It
// shows the host's state, asks for logins, and tells the event controls that
// subscribed when its user closes it. Closing it ends the host.
class Frame : public core::LoginPrompt {
public:
    explicit Frame(core::HostState& host);
    ~Frame() override;

    // Makes the window hidden; false when it could not be made.
    bool create();
    void show(int showCommand);
    HWND window() const { return window_; }

    // Answers before it returns: the dialog is modal.
    void askLogin(const std::string& databaseName, const std::string& suggestedUser,
                  const std::function<void()>& shown, Answered answered) override;
    // Closes once the call that asked for it has been answered, without
    // telling the subscribers: their program asked.
    void closeByCommand();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void close();
    void refresh();
    void refreshTools();
    // Starts the profile's command at `index`, as its Tools menu item asks.
    void startCommand(std::size_t index);
    std::string stateText() const;
    void showNotice(const std::string& notice);

    core::HostState& host_;
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HWND login_ = nullptr;
    HMENU tools_ = nullptr;
    std::string notice_ = "Ready";
    std::set<HWND> subscribers_;
    bool closingByCommand_ = false;
    bool announced_ = false;
};

} // namespace standin::win
