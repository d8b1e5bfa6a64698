#pragma once

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <source_location>
#include <string>

namespace vm {

// The host's automation objects, member for member. The names are the host's
// own, which is why they do not follow this code base's naming. Members throw
// HostError unless their comment says otherwise.

// An automation call the host refused or could not answer. It carries no line
// of its own: the failing statement is the caller's.
class HostError : public Failure {
public:
    explicit HostError(const std::string& description, int number = err::kHostAutomation)
        : Failure(number, description, std::source_location{}) {}
};

class HostView {
public:
    virtual ~HostView() = default;
    // 300 monthly, 301 weekly, 302 daily.
    virtual void SetCalendarMode(int mode) = 0;
};

class HostViews {
public:
    virtual ~HostViews() = default;
    // View types 1 to 5: contacts, contact list, groups, task list, calendar.
    virtual std::shared_ptr<HostView> Create(int viewType, const std::string& name) = 0;
};

class HostPreferences {
public:
    virtual ~HostPreferences() = default;
    // Read and written as the host's properties are: no argument reads.
    virtual std::string DefaultContactLayout() = 0;
    virtual void DefaultContactLayout(const std::string& path) = 0;
    virtual std::string DefaultGroupLayout() = 0;
    virtual void DefaultGroupLayout(const std::string& path) = 0;
    virtual std::string StartupMacro() = 0;
    virtual void StartupMacro(const std::string& path) = 0;
    virtual bool UseLastDBonStartup() = 0;
    // Kinds: 0 databases, 6 layouts, 7 macros.
    virtual std::string GetDefaultLocation(int kind) = 0;
};

class HostApplication {
public:
    virtual ~HostApplication() = default;
    virtual void OpenFile(const std::string& path) = 0;
    // Returns once the database is open; a refused login throws.
    virtual void openDB(const std::string& path) = 0;
    virtual void RunMacro(const std::string& path) = 0;
    virtual std::string GetOpenDBName() = 0;
    // Empty when no database is open.
    virtual std::string GetCurrentUserName() = 0;
    virtual std::string GetAppPath() = 0;
    // 150 closes the host.
    virtual void Command(int number) = 0;
    virtual std::shared_ptr<HostViews> Views() = 0;
    virtual std::shared_ptr<HostPreferences> Preferences() = 0;
};

// The eight values that register a command with the host.
struct HostAuxCommand {
    std::string name;
    std::string program;
    std::string workingFolder;
    std::string caption;
    std::string toolTip;
    std::string smallIcon;
    std::string largeIcon;
    std::int32_t commandType = 1;
};

// Host view numbers for toolbars and menus: 1 contacts, 2 contact list,
// 3 groups, 4 task list, 5 calendars, 6 e-mail. The add and remove members
// answer 0 on success.
class HostAuxCommands {
public:
    virtual ~HostAuxCommands() = default;
    virtual std::int32_t AddAuxCommand(const HostAuxCommand& command) = 0;
    // 0 when the command is not registered.
    virtual std::int32_t AuxCommandExists(const std::string& name) = 0;
    // 1 present, 0 absent.
    virtual std::int32_t AuxCommandExistsInToolbar(int view, const std::string& name) = 0;
    virtual std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string& name) = 0;
    virtual std::int32_t AddAuxCommandToToolbar(int view, const std::string& name) = 0;
    virtual std::int32_t RemoveAuxCommandFromToolbar(int view, const std::string& name) = 0;
    virtual std::int32_t AddAuxCommandToToolsMenu(int view, const std::string& name) = 0;
    virtual std::int32_t RemoveAuxCommandFromToolsMenu(int view, const std::string& name) = 0;
};

// The host's event control. Its members are known only by dispatch number.
class HostEventControl {
public:
    using Handler = std::function<void()>;
    virtual ~HostEventControl() = default;

    // Subscribes to the host's events: 1 or more when the host is reachable
    // and the subscription is made, otherwise 0. Never throws.
    virtual std::int32_t Dispatch1(std::int32_t zero) = 0;
    // Ends the subscription. Never throws: the host may be gone already.
    virtual void Dispatch2() = 0;
    // Whether the host is running. Never throws.
    virtual bool Dispatch3() = 0;

    // Sets the handler of the event raised when the host's user closes it.
    // The handler runs on the program's event loop.
    void OnActUserWantsToClose(Handler handler) { onActUserWantsToClose_ = std::move(handler); }

protected:
    void raiseOnActUserWantsToClose() {
        if (onActUserWantsToClose_)
            onActUserWantsToClose_();
    }

private:
    Handler onActUserWantsToClose_;
};

// Where the automation objects come from: on Windows the host's registered
// classes, on Linux the stand-in host on the session bus.
class HostConnection {
public:
    virtual ~HostConnection() = default;
    virtual std::shared_ptr<HostApplication> createApplication() = 0;
    virtual std::shared_ptr<HostAuxCommands> createAuxCommands() = 0;
    virtual std::shared_ptr<HostEventControl> createEventControl() = 0;
};

} // namespace vm
