#pragma once

#include "host/HostInterface.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vm::test {

class FakeEventControl;

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

// An in-memory host. Every call on any object it hands out is recorded in
// `calls`, in order, as member name and arguments as text. Property writes
// are recorded as "Set" + the property's name. Any member can be told to fail.
class FakeHost : public HostConnection {
public:
    FakeHost();
    ~FakeHost() override;

    std::shared_ptr<HostApplication> createApplication() override;
    std::shared_ptr<HostAuxCommands> createAuxCommands() override;
    std::shared_ptr<HostEventControl> createEventControl() override;

    // Every later call of `member` throws HostError(description, number);
    // the event control's members, which never throw, answer 0 or false. Unknown member
    // names are refused, so that a typing mistake cannot pass a test.
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

    // Used by the objects the fake hands out: records the call, then throws
    // when the member was told to fail.
    void enter(std::string_view member, std::vector<std::string> args = {});
    bool failing(std::string_view member) const;
    std::optional<std::int32_t> forcedAnswer(std::string_view member) const;

private:
    struct Failing {
        std::string description;
        int number;
    };
    std::map<std::string, Failing, std::less<>> failures_;
    std::map<std::string, std::int32_t, std::less<>> answers_;
    std::vector<std::weak_ptr<FakeEventControl>> eventControls_;
};

} // namespace vm::test
