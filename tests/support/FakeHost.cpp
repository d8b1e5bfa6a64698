#include "FakeHost.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vm::test {

namespace {

constexpr std::array kMembers = {"CreateApplication",
                                 "OpenFile",
                                 "openDB",
                                 "RunMacro",
                                 "GetOpenDBName",
                                 "GetCurrentUserName",
                                 "GetAppPath",
                                 "Command",
                                 "Views",
                                 "Preferences",
                                 "Create",
                                 "SetCalendarMode",
                                 "DefaultContactLayout",
                                 "SetDefaultContactLayout",
                                 "DefaultGroupLayout",
                                 "SetDefaultGroupLayout",
                                 "StartupMacro",
                                 "SetStartupMacro",
                                 "UseLastDBonStartup",
                                 "GetDefaultLocation",
                                 "CreateAuxCommands",
                                 "AddAuxCommand",
                                 "AuxCommandExists",
                                 "AuxCommandExistsInToolbar",
                                 "AuxCommandExistsInToolsMenu",
                                 "AddAuxCommandToToolbar",
                                 "RemoveAuxCommandFromToolbar",
                                 "AddAuxCommandToToolsMenu",
                                 "RemoveAuxCommandFromToolsMenu",
                                 "CreateEventControl",
                                 "Dispatch1",
                                 "Dispatch2",
                                 "Dispatch3"};

std::string checkedMember(std::string_view member) {
    if (std::find(kMembers.begin(), kMembers.end(), member) == kMembers.end())
        throw std::invalid_argument("FakeHost has no member " + std::string(member));
    return std::string(member);
}

class FakeView : public HostView {
public:
    explicit FakeView(FakeHost& host) : host_(host) {}
    void SetCalendarMode(int mode) override {
        host_.enter("SetCalendarMode", {std::to_string(mode)});
        host_.state.calendarMode = mode;
    }

private:
    FakeHost& host_;
};

class FakeViews : public HostViews {
public:
    explicit FakeViews(FakeHost& host) : host_(host) {}
    std::shared_ptr<HostView> Create(int viewType, const std::string& name) override {
        host_.enter("Create", {std::to_string(viewType), name});
        host_.state.viewType = viewType;
        host_.state.calendarMode = 0;
        return std::make_shared<FakeView>(host_);
    }

private:
    FakeHost& host_;
};

class FakePreferences : public HostPreferences {
public:
    explicit FakePreferences(FakeHost& host) : host_(host) {}
    std::string DefaultContactLayout() override {
        return read("DefaultContactLayout", host_.state.contactLayout);
    }
    void DefaultContactLayout(const std::string& path) override {
        write("SetDefaultContactLayout", host_.state.contactLayout, path);
    }
    std::string DefaultGroupLayout() override {
        return read("DefaultGroupLayout", host_.state.groupLayout);
    }
    void DefaultGroupLayout(const std::string& path) override {
        write("SetDefaultGroupLayout", host_.state.groupLayout, path);
    }
    std::string StartupMacro() override { return read("StartupMacro", host_.state.startupMacro); }
    void StartupMacro(const std::string& path) override {
        write("SetStartupMacro", host_.state.startupMacro, path);
    }
    bool UseLastDBonStartup() override {
        host_.enter("UseLastDBonStartup");
        return host_.state.useLastDBonStartup;
    }
    std::string GetDefaultLocation(int kind) override {
        host_.enter("GetDefaultLocation", {std::to_string(kind)});
        auto it = host_.state.defaultLocations.find(kind);
        if (it == host_.state.defaultLocations.end())
            throw HostError("Unknown location kind " + std::to_string(kind));
        return it->second;
    }

private:
    std::string read(std::string_view member, const std::string& value) {
        host_.enter(member);
        return value;
    }
    void write(std::string_view member, std::string& value, const std::string& path) {
        host_.enter(member, {path});
        value = path;
    }
    FakeHost& host_;
};

class FakeApplication : public HostApplication {
public:
    explicit FakeApplication(FakeHost& host) : host_(host) {}
    void OpenFile(const std::string& path) override { host_.enter("OpenFile", {path}); }
    void openDB(const std::string& path) override {
        host_.enter("openDB", {path});
        host_.state.openDatabase = path;
        host_.state.userName = host_.state.loginUser;
        host_.state.viewType = 1;
    }
    void RunMacro(const std::string& path) override {
        host_.enter("RunMacro", {path});
        host_.state.macrosRun.push_back(path);
    }
    std::string GetOpenDBName() override {
        host_.enter("GetOpenDBName");
        return host_.state.openDatabase;
    }
    std::string GetCurrentUserName() override {
        host_.enter("GetCurrentUserName");
        return host_.state.userName;
    }
    std::string GetAppPath() override {
        host_.enter("GetAppPath");
        return host_.state.appPath;
    }
    void Command(int number) override {
        host_.enter("Command", {std::to_string(number)});
        if (number == 150) {
            host_.state.closed = true;
            host_.state.running = false;
        }
    }
    std::shared_ptr<HostViews> Views() override {
        host_.enter("Views");
        return std::make_shared<FakeViews>(host_);
    }
    std::shared_ptr<HostPreferences> Preferences() override {
        host_.enter("Preferences");
        return std::make_shared<FakePreferences>(host_);
    }

private:
    FakeHost& host_;
};

class FakeAuxCommands : public HostAuxCommands {
public:
    explicit FakeAuxCommands(FakeHost& host) : host_(host) {}
    std::int32_t AddAuxCommand(const HostAuxCommand& c) override {
        host_.enter("AddAuxCommand", {c.name, c.program, c.workingFolder, c.caption, c.toolTip,
                                      c.smallIcon, c.largeIcon, std::to_string(c.commandType)});
        if (auto forced = host_.forcedAnswer("AddAuxCommand"))
            return *forced;
        host_.state.auxCommands[c.name].command = c;
        return 0;
    }
    std::int32_t AuxCommandExists(const std::string& name) override {
        host_.enter("AuxCommandExists", {name});
        return host_.state.auxCommands.count(name) ? 1 : 0;
    }
    std::int32_t AuxCommandExistsInToolbar(int view, const std::string& name) override {
        return exists("AuxCommandExistsInToolbar", view, name, &HostAuxRegistration::toolbarViews);
    }
    std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string& name) override {
        return exists("AuxCommandExistsInToolsMenu", view, name,
                      &HostAuxRegistration::toolsMenuViews);
    }
    std::int32_t AddAuxCommandToToolbar(int view, const std::string& name) override {
        return change("AddAuxCommandToToolbar", view, name, &HostAuxRegistration::toolbarViews,
                      true);
    }
    std::int32_t RemoveAuxCommandFromToolbar(int view, const std::string& name) override {
        return change("RemoveAuxCommandFromToolbar", view, name, &HostAuxRegistration::toolbarViews,
                      false);
    }
    std::int32_t AddAuxCommandToToolsMenu(int view, const std::string& name) override {
        return change("AddAuxCommandToToolsMenu", view, name, &HostAuxRegistration::toolsMenuViews,
                      true);
    }
    std::int32_t RemoveAuxCommandFromToolsMenu(int view, const std::string& name) override {
        return change("RemoveAuxCommandFromToolsMenu", view, name,
                      &HostAuxRegistration::toolsMenuViews, false);
    }

private:
    using Views = std::set<int> HostAuxRegistration::*;

    std::int32_t exists(std::string_view member, int view, const std::string& name, Views views) {
        host_.enter(member, {std::to_string(view), name});
        auto it = host_.state.auxCommands.find(name);
        return it != host_.state.auxCommands.end() && (it->second.*views).count(view) ? 1 : 0;
    }
    std::int32_t change(std::string_view member, int view, const std::string& name, Views views,
                        bool add) {
        host_.enter(member, {std::to_string(view), name});
        if (auto forced = host_.forcedAnswer(member))
            return *forced;
        auto it = host_.state.auxCommands.find(name);
        if (it == host_.state.auxCommands.end())
            return 1;
        if (add)
            (it->second.*views).insert(view);
        else
            (it->second.*views).erase(view);
        return 0;
    }
    FakeHost& host_;
};

} // namespace

class FakeEventControl : public HostEventControl {
public:
    explicit FakeEventControl(FakeHost& host) : host_(host) {}
    std::int32_t Dispatch1(std::int32_t zero) override {
        host_.enter("Dispatch1", {std::to_string(zero)});
        subscribed_ = host_.state.running && !host_.failing("Dispatch1");
        return subscribed_ ? 1 : 0;
    }
    void Dispatch2() override {
        host_.enter("Dispatch2");
        subscribed_ = false;
    }
    bool Dispatch3() override {
        host_.enter("Dispatch3");
        return host_.state.running && !host_.failing("Dispatch3");
    }
    void userCloses() {
        if (subscribed_)
            raiseOnActUserWantsToClose();
    }

private:
    FakeHost& host_;
    bool subscribed_ = false;
};

FakeHost::FakeHost() = default;
FakeHost::~FakeHost() = default;

std::shared_ptr<HostApplication> FakeHost::createApplication() {
    enter("CreateApplication");
    return std::make_shared<FakeApplication>(*this);
}

std::shared_ptr<HostAuxCommands> FakeHost::createAuxCommands() {
    enter("CreateAuxCommands");
    return std::make_shared<FakeAuxCommands>(*this);
}

std::shared_ptr<HostEventControl> FakeHost::createEventControl() {
    enter("CreateEventControl");
    auto control = std::make_shared<FakeEventControl>(*this);
    eventControls_.push_back(control);
    return control;
}

void FakeHost::fail(std::string_view member, std::string description, int number) {
    failures_[checkedMember(member)] = {std::move(description), number};
}

void FakeHost::answer(std::string_view member, std::int32_t result) {
    answers_[checkedMember(member)] = result;
}

void FakeHost::userCloses() {
    state.running = false;
    for (const auto& weak : eventControls_) {
        if (auto control = weak.lock())
            control->userCloses();
    }
}

std::vector<std::string> FakeHost::members() const {
    std::vector<std::string> names;
    for (const auto& call : calls)
        names.push_back(call.member);
    return names;
}

void FakeHost::enter(std::string_view member, std::vector<std::string> args) {
    calls.push_back({std::string(member), std::move(args)});
    auto it = failures_.find(member);
    // The event control's members tell of a failure by their answer.
    if (it == failures_.end() || member.starts_with("Dispatch"))
        return;
    throw HostError(it->second.description, it->second.number);
}

bool FakeHost::failing(std::string_view member) const {
    return failures_.count(member) > 0;
}

std::optional<std::int32_t> FakeHost::forcedAnswer(std::string_view member) const {
    auto it = answers_.find(member);
    return it == answers_.end() ? std::nullopt : std::optional(it->second);
}

} // namespace vm::test
