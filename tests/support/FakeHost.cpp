#include "FakeHost.h"

#include <stdexcept>

namespace vm::test {

namespace {

// Every member a test may name, each between blanks.
constexpr std::string_view kMembers =
    " CreateApplication OpenFile openDB RunMacro GetOpenDBName GetCurrentUserName GetAppPath"
    " Command Views Preferences Create SetCalendarMode DefaultContactLayout"
    " SetDefaultContactLayout DefaultGroupLayout SetDefaultGroupLayout StartupMacro"
    " SetStartupMacro UseLastDBonStartup GetDefaultLocation CreateAuxCommands AddAuxCommand"
    " AuxCommandExists AuxCommandExistsInToolbar AuxCommandExistsInToolsMenu"
    " AddAuxCommandToToolbar RemoveAuxCommandFromToolbar AddAuxCommandToToolsMenu"
    " RemoveAuxCommandFromToolsMenu CreateEventControl Dispatch1 Dispatch2 Dispatch3 ";

std::string checkedMember(std::string_view member) {
    const std::string name(member);
    if (name.empty() || name.find(' ') != std::string::npos ||
        kMembers.find(" " + name + " ") == std::string_view::npos)
        throw std::invalid_argument("FakeHost has no member " + name);
    return name;
}

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
    if (it != failures_.end() && !member.starts_with("Dispatch"))
        throw HostError(it->second.description, it->second.number);
}

std::string FakeHost::GetDefaultLocation(int kind) {
    enter("GetDefaultLocation", {std::to_string(kind)});
    auto it = state.defaultLocations.find(kind);
    if (it == state.defaultLocations.end())
        throw HostError("Unknown location kind " + std::to_string(kind));
    return it->second;
}

std::int32_t FakeHost::AddAuxCommand(const HostAuxCommand& c) {
    enter("AddAuxCommand", {c.name, c.program, c.workingFolder, c.caption, c.toolTip, c.smallIcon,
                            c.largeIcon, std::to_string(c.commandType)});
    if (auto forced = answers_.find("AddAuxCommand"); forced != answers_.end())
        return forced->second;
    state.auxCommands[c.name].command = c;
    return 0;
}

std::int32_t FakeHost::exists(std::string_view member, int view, const std::string& name,
                              Placement views) {
    enter(member, {std::to_string(view), name});
    auto it = state.auxCommands.find(name);
    return it != state.auxCommands.end() && (it->second.*views).count(view) ? 1 : 0;
}

std::int32_t FakeHost::change(std::string_view member, int view, const std::string& name,
                              Placement views, bool add) {
    enter(member, {std::to_string(view), name});
    if (auto forced = answers_.find(member); forced != answers_.end())
        return forced->second;
    auto it = state.auxCommands.find(name);
    if (it == state.auxCommands.end())
        return 1;
    if (add)
        (it->second.*views).insert(view);
    else
        (it->second.*views).erase(view);
    return 0;
}

} // namespace vm::test
