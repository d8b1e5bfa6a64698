#pragma once

#include "host/HostInterface.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vm::test {

struct HostCall {
    std::string member;
    std::vector<std::string> args;
    bool operator==(const HostCall&) const = default;
};

struct HostAuxRegistration {
    HostAuxCommand command;
    std::set<int> toolbarViews;
    std::set<int> toolsMenuViews;
};

// What the fake host holds; tests set it up and read it back.
struct FakeHostState {
    std::string openDatabase;
    std::string userName;
    // The user a successful openDB logs in.
    std::string loginUser = "Admin";
    std::string appPath = "/opt/host";
    std::string contactLayout;
    std::string groupLayout;
    std::string startupMacro;
    bool useLastDBonStartup = false;
    std::map<int, std::string> defaultLocations = {
        {0, "/opt/host/Database"}, {6, "/opt/host/Layout"}, {7, "/opt/host/Macro"}};
    int viewType = 0;
    int calendarMode = 0;
    std::vector<std::string> macrosRun;
    std::map<std::string, HostAuxRegistration> auxCommands;
    bool running = true;
    bool closed = false;
};

class FakeEventControl;

// An in-memory host. It is itself the application, its views, its
// preferences and its command registry that it hands out; only event
// controls, which each keep their subscription, are objects of their own.
// Every call is recorded in `calls`, in order, as member name and arguments
// as text; property writes as "Set" + the property's name. Any member can be
// told to fail.
class FakeHost : public HostConnection,
                 HostApplication,
                 HostViews,
                 HostView,
                 HostPreferences,
                 HostAuxCommands {
public:
    FakeHost();
    ~FakeHost() override;

    std::shared_ptr<HostApplication> createApplication() override {
        return handOut<HostApplication>("CreateApplication");
    }
    std::shared_ptr<HostAuxCommands> createAuxCommands() override {
        return handOut<HostAuxCommands>("CreateAuxCommands");
    }
    std::shared_ptr<HostEventControl> createEventControl() override;

    // Every later call of `member` throws HostError(description, number);
    // the event control's members, which never throw, answer 0 or false.
    // Unknown member names are refused, so that a typing mistake cannot pass
    // a test.
    void fail(std::string_view member, std::string description = "Automation error",
              int number = err::kHostAutomation);
    // Every later call of an add, remove or AddAuxCommand member answers
    // `result` instead of doing its work.
    void answer(std::string_view member, std::int32_t result);

    // The host's user closes it: every subscribed event control raises
    // OnActUserWantsToClose.
    void userCloses();

    std::vector<std::string> members() const;

    FakeHostState state;
    std::vector<HostCall> calls;

    // Records the call, then throws when the member was told to fail; the
    // event control's members tell of a failure by their answer.
    void enter(std::string_view member, std::vector<std::string> args = {});
    bool failing(std::string_view member) const { return failures_.count(member) > 0; }

    void OpenFile(const std::string& path) override { enter("OpenFile", {path}); }
    void openDB(const std::string& path) override {
        enter("openDB", {path});
        state.openDatabase = path;
        state.userName = state.loginUser;
        state.viewType = 1;
    }
    void RunMacro(const std::string& path) override {
        enter("RunMacro", {path});
        state.macrosRun.push_back(path);
    }
    std::string GetOpenDBName() override { return read("GetOpenDBName", state.openDatabase); }
    std::string GetCurrentUserName() override { return read("GetCurrentUserName", state.userName); }
    std::string GetAppPath() override { return read("GetAppPath", state.appPath); }
    void Command(int number) override {
        enter("Command", {std::to_string(number)});
        state.closed = state.closed || number == 150;
        state.running = state.running && number != 150;
    }
    std::shared_ptr<HostViews> Views() override { return handOut<HostViews>("Views"); }
    std::shared_ptr<HostPreferences> Preferences() override {
        return handOut<HostPreferences>("Preferences");
    }

    std::shared_ptr<HostView> Create(int viewType, const std::string& name) override {
        enter("Create", {std::to_string(viewType), name});
        state.viewType = viewType;
        state.calendarMode = 0;
        return handOut<HostView>();
    }
    void SetCalendarMode(int mode) override {
        enter("SetCalendarMode", {std::to_string(mode)});
        state.calendarMode = mode;
    }

    std::string DefaultContactLayout() override {
        return read("DefaultContactLayout", state.contactLayout);
    }
    void DefaultContactLayout(const std::string& path) override {
        write("SetDefaultContactLayout", state.contactLayout, path);
    }
    std::string DefaultGroupLayout() override {
        return read("DefaultGroupLayout", state.groupLayout);
    }
    void DefaultGroupLayout(const std::string& path) override {
        write("SetDefaultGroupLayout", state.groupLayout, path);
    }
    std::string StartupMacro() override { return read("StartupMacro", state.startupMacro); }
    void StartupMacro(const std::string& path) override {
        write("SetStartupMacro", state.startupMacro, path);
    }
    bool UseLastDBonStartup() override {
        enter("UseLastDBonStartup");
        return state.useLastDBonStartup;
    }
    std::string GetDefaultLocation(int kind) override;

    std::int32_t AddAuxCommand(const HostAuxCommand& command) override;
    std::int32_t AuxCommandExists(const std::string& name) override {
        enter("AuxCommandExists", {name});
        return state.auxCommands.count(name) ? 1 : 0;
    }
    std::int32_t AuxCommandExistsInToolbar(int view, const std::string& name) override {
        return exists("AuxCommandExistsInToolbar", view, name, kToolbar);
    }
    std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string& name) override {
        return exists("AuxCommandExistsInToolsMenu", view, name, kToolsMenu);
    }
    std::int32_t AddAuxCommandToToolbar(int view, const std::string& name) override {
        return change("AddAuxCommandToToolbar", view, name, kToolbar, true);
    }
    std::int32_t RemoveAuxCommandFromToolbar(int view, const std::string& name) override {
        return change("RemoveAuxCommandFromToolbar", view, name, kToolbar, false);
    }
    std::int32_t AddAuxCommandToToolsMenu(int view, const std::string& name) override {
        return change("AddAuxCommandToToolsMenu", view, name, kToolsMenu, true);
    }
    std::int32_t RemoveAuxCommandFromToolsMenu(int view, const std::string& name) override {
        return change("RemoveAuxCommandFromToolsMenu", view, name, kToolsMenu, false);
    }

private:
    using Placement = std::set<int> HostAuxRegistration::*;
    static constexpr Placement kToolbar = &HostAuxRegistration::toolbarViews;
    static constexpr Placement kToolsMenu = &HostAuxRegistration::toolsMenuViews;

    // The host owns what it hands out; callers only share it.
    template <class Part> std::shared_ptr<Part> handOut(std::string_view member = {}) {
        if (!member.empty())
            enter(member);
        return {std::shared_ptr<void>(), this};
    }
    std::string read(std::string_view member, const std::string& value) {
        enter(member);
        return value;
    }
    void write(std::string_view member, std::string& value, const std::string& path) {
        enter(member, {path});
        value = path;
    }
    std::int32_t exists(std::string_view member, int view, const std::string& name,
                        Placement views);
    std::int32_t change(std::string_view member, int view, const std::string& name, Placement views,
                        bool add);

    struct Failing {
        std::string description;
        int number;
    };
    std::map<std::string, Failing, std::less<>> failures_;
    std::map<std::string, std::int32_t, std::less<>> answers_;
    std::vector<std::weak_ptr<FakeEventControl>> eventControls_;
};

} // namespace vm::test
