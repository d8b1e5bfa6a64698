#include "Frame.h"

#include "ComText.h"
#include "FrameMessages.h"
#include "LoginDialog.h"

#include <shellapi.h>

#include <array>

namespace standin::win {

using namespace standin::core;

namespace {

constexpr UINT kCloseByCommand = WM_APP + 1;
constexpr UINT kExitItem = 1;
// The Tools menu's items: this plus the command's place in the profile.
constexpr UINT kFirstToolItem = 100;

const std::array<const char*, 5> kViewTypeNames = {"Contacts", "Contact List", "Groups",
                                                   "Task List", "Calendar"};
const std::array<const char*, 6> kToolbarViewNames = {"Contacts",  "Contact List", "Groups",
                                                      "Task List", "Calendars",    "E-mail"};
const std::array<const char*, 3> kCalendarModeNames = {"Monthly", "Weekly", "Daily"};

std::string yesNo(bool yes) {
    return yes ? "Yes" : "No";
}

std::string line(const std::string& label, const std::string& value) {
    return "    " + label + ": " + value + "\r\n";
}

std::string placedCommands(const Profile& profile, HostState::Place place, int view) {
    std::string names;
    for (const AuxCommand& command : profile.auxCommands) {
        if ((place == HostState::Place::Toolbar ? command.toolbarViews : command.toolsMenuViews)
                .contains(view))
            names += (names.empty() ? "" : ", ") + command.name;
    }
    return names;
}

} // namespace

Frame::Frame(HostState& host) : host_(host) {
    host_.setListener({[this] { refresh(); }, [this](const std::string& n) { showNotice(n); },
                       [this] { closeByCommand(); }});
}

Frame::~Frame() {
    host_.setListener({});
    if (window_)
        ::DestroyWindow(window_);
}

bool Frame::create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClass;
    if (!::RegisterClassExW(&windowClass))
        return false;
    window_ =
        ::CreateWindowExW(0, kFrameClass, L"Host Stand-in", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 800, 600, nullptr, nullptr, windowClass.hInstance, this);
    if (!window_)
        return false;
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kExitItem, L"E&xit");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    tools_ = ::CreatePopupMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools_), L"&Tools");
    ::SetMenu(window_, bar);
    text_ = ::CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                  ES_AUTOVSCROLL,
                              0, 0, 0, 0, window_, nullptr, windowClass.hInstance, nullptr);
    ::SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    refresh();
    return true;
}

void Frame::show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
}

void Frame::askLogin(const std::string& databaseName, const std::string& suggestedUser,
                     const std::function<void()>& shown, Answered answered) {
    answered(LoginDialog(databaseName, suggestedUser, shown).run(window_, &login_));
}

void Frame::closeByCommand() {
    ::PostMessageW(window_, kCloseByCommand, 0, 0);
}

void Frame::close() {
    if (!closingByCommand_ && !announced_) {
        announced_ = true;
        const UINT userWantsToClose = userWantsToCloseMessage();
        for (HWND subscriber : subscribers_) {
            if (::IsWindow(subscriber))
                ::PostMessageW(subscriber, userWantsToClose, 0, 0);
        }
    }
    if (login_) {
        // A caller still waiting for the login hears that it failed; the
        // frame goes once that call has been answered.
        ::EndDialog(login_, IDCANCEL);
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    ::DestroyWindow(window_);
}

LRESULT CALLBACK Frame::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<Frame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        // Messages come before CreateWindowExW returns the handle.
        frame->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* self = reinterpret_cast<Frame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT subscribe = subscribeMessage();
    static const UINT unsubscribe = unsubscribeMessage();
    if (message == subscribe) {
        subscribers_.insert(reinterpret_cast<HWND>(wParam));
        return 1;
    }
    if (message == unsubscribe) {
        subscribers_.erase(reinterpret_cast<HWND>(wParam));
        return 1;
    }
    switch (message) {
    case WM_SIZE:
        ::MoveWindow(text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kExitItem)
            close();
        else if (LOWORD(wParam) >= kFirstToolItem)
            startCommand(LOWORD(wParam) - kFirstToolItem);
        return 0;
    case kCloseByCommand:
        closingByCommand_ = true;
        close();
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Frame::showNotice(const std::string& notice) {
    notice_ = notice;
    refresh();
}

void Frame::refresh() {
    if (!window_)
        return;
    const OpenDatabase& db = host_.current();
    const std::string title = db.path.empty() ? "Host Stand-in" : "Host Stand-in - " + db.name;
    ::SetWindowTextW(window_, wideOf(title).c_str());
    ::SetWindowTextW(text_, wideOf(stateText()).c_str());
    refreshTools();
}

void Frame::refreshTools() {
    while (::GetMenuItemCount(tools_) > 0)
        ::DeleteMenu(tools_, 0, MF_BYPOSITION);
    // The Tools menu offers what is placed in the view on show.
    const std::vector<AuxCommand>& commands = host_.profile().auxCommands;
    const int view = host_.currentView().type;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].toolsMenuViews.contains(view)) {
            const std::string& caption =
                commands[i].caption.empty() ? commands[i].name : commands[i].caption;
            ::AppendMenuW(tools_, MF_STRING, kFirstToolItem + i, wideOf(caption).c_str());
        }
    }
    if (::GetMenuItemCount(tools_) == 0)
        ::AppendMenuW(tools_, MF_STRING | MF_GRAYED, 0, L"No commands");
    ::DrawMenuBar(window_);
}

void Frame::startCommand(std::size_t index) {
    const std::vector<AuxCommand>& commands = host_.profile().auxCommands;
    if (index >= commands.size())
        return;
    const AuxCommand& command = commands[index];
    const std::wstring folder = wideOf(command.workingFolder);
    const auto started = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(window_, L"open", wideOf(command.program).c_str(), nullptr,
                        folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
    // ShellExecuteW answers more than 32 when the program started.
    showNotice(started > 32 ? "Started " + command.name + "."
                            : command.program + " could not be started.");
}

std::string Frame::stateText() const {
    const OpenDatabase& db = host_.current();
    const bool open = !db.path.empty();
    const ViewState view = host_.currentView();
    std::string text = "Open database\r\n";
    text += line("Name", db.name) + line("File", db.path) + line("User", db.userName);
    text += line("View", open ? kViewTypeNames.at(static_cast<std::size_t>(view.type - 1)) : "");
    text += line("Calendar mode",
                 open && view.type == 5
                     ? kCalendarModeNames.at(static_cast<std::size_t>(view.calendarMode - 300))
                     : "");
    text += line("Contact layout", open ? db.contactLayout : "");
    text += line("Group layout", open ? db.groupLayout : "");
    text += line("Last macro run", host_.lastMacro());

    const Profile& profile = host_.profile();
    text += "\r\nPreferences\r\n";
    text += line("Default contact layout", profile.defaultContactLayout);
    text += line("Default group layout", profile.defaultGroupLayout);
    text += line("Startup macro", profile.startupMacro);
    text += line("Open last database at start", yesNo(host_.useLastDatabaseOnStartup()));

    const StartUpSettings& start = host_.startUpSettings();
    text += "\r\nRead at start-up from HKEY_CURRENT_USER\r\n";
    text += line("Use Last DB", yesNo(start.useLastDatabase));
    text += line("Last DB Name", start.lastDatabase);
    text += line("Contact Layout", start.contactLayout);
    text += line("Group Layout", start.groupLayout);
    text += line("Macro Name", start.macro);

    text += "\r\nCommands of other programs (toolbar / Tools menu)\r\n";
    for (int v = 1; v <= HostState::kToolbarViews; ++v) {
        text += line(kToolbarViewNames.at(static_cast<std::size_t>(v - 1)),
                     placedCommands(profile, HostState::Place::Toolbar, v) + " / " +
                         placedCommands(profile, HostState::Place::ToolsMenu, v));
    }
    text += "\r\nFile locations in use\r\n";
    for (const FileLocation& location : host_.fileLocations())
        text += line(location.type, location.folder + (location.fromRegistry ? " (registry)" : ""));
    return text + "\r\n" + notice_ + "\r\n";
}

} // namespace standin::win
