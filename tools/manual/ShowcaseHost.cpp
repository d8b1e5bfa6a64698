#include "ShowcaseHost.h"

namespace vm::manual {

namespace {

[[noreturn]] void refuse() {
    throw HostError("The host of the manual's pictures changes nothing");
}

class Preferences : public HostPreferences {
public:
    explicit Preferences(std::string folder) : folder_(std::move(folder)) {}
    std::string DefaultContactLayout() override { return {}; }
    void DefaultContactLayout(const std::string&) override { refuse(); }
    std::string DefaultGroupLayout() override { return {}; }
    void DefaultGroupLayout(const std::string&) override { refuse(); }
    std::string StartupMacro() override { return {}; }
    void StartupMacro(const std::string&) override { refuse(); }
    bool UseLastDBonStartup() override { return false; }
    std::string GetDefaultLocation(int) override { return folder_; }

private:
    std::string folder_;
};

class Application : public HostApplication {
public:
    Application(std::string folder, std::string openDatabase)
        : folder_(std::move(folder)), openDatabase_(std::move(openDatabase)) {}
    // Attaching to the running host, which is all an empty name asks for.
    void OpenFile(const std::string& path) override {
        if (!path.empty())
            refuse();
    }
    void openDB(const std::string&) override { refuse(); }
    void RunMacro(const std::string&) override { refuse(); }
    std::string GetOpenDBName() override { return openDatabase_; }
    std::string GetCurrentUserName() override { return "Alice"; }
    std::string GetAppPath() override { return folder_; }
    void Command(int) override { refuse(); }
    std::shared_ptr<HostViews> Views() override { return nullptr; }
    std::shared_ptr<HostPreferences> Preferences() override {
        return std::make_shared<manual::Preferences>(folder_);
    }

private:
    std::string folder_;
    std::string openDatabase_;
};

// Velmaris's command is registered, on the contact view's toolbar and in
// the Tools menu of the contact and group views: boxes both ticked and not.
class AuxCommands : public HostAuxCommands {
public:
    std::int32_t AddAuxCommand(const HostAuxCommand&) override { refuse(); }
    std::int32_t AuxCommandExists(const std::string&) override { return 1; }
    std::int32_t AuxCommandExistsInToolbar(int view, const std::string&) override {
        return view == 1 ? 1 : 0;
    }
    std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string&) override {
        return view == 1 || view == 3 ? 1 : 0;
    }
    std::int32_t AddAuxCommandToToolbar(int, const std::string&) override { refuse(); }
    std::int32_t RemoveAuxCommandFromToolbar(int, const std::string&) override { refuse(); }
    std::int32_t AddAuxCommandToToolsMenu(int, const std::string&) override { refuse(); }
    std::int32_t RemoveAuxCommandFromToolsMenu(int, const std::string&) override { refuse(); }
};

class EventControl : public HostEventControl {
public:
    std::int32_t Dispatch1(std::int32_t) override { return 1; }
    void Dispatch2() override {}
    bool Dispatch3() override { return true; }
};

} // namespace

ShowcaseHost::ShowcaseHost(std::string folder, std::string openDatabase)
    : folder_(std::move(folder)), openDatabase_(std::move(openDatabase)) {}

std::shared_ptr<HostApplication> ShowcaseHost::createApplication() {
    return std::make_shared<Application>(folder_, openDatabase_);
}

std::shared_ptr<HostAuxCommands> ShowcaseHost::createAuxCommands() {
    return std::make_shared<AuxCommands>();
}

std::shared_ptr<HostEventControl> ShowcaseHost::createEventControl() {
    return std::make_shared<EventControl>();
}

} // namespace vm::manual
