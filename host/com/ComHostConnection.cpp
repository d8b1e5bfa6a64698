#include "host/com/ComHostConnection.h"

#include "host/com/ComDispatch.h"
#include "host/com/ComEventControl.h"
#include "host/com/HostComNames.h"

namespace vm {

namespace {

using com::Dispatch;
using com::Variant;

std::int16_t number(int n) {
    return static_cast<std::int16_t>(n);
}

class ComView : public HostView {
public:
    explicit ComView(Dispatch view) : view_(std::move(view)) {}
    void SetCalendarMode(int mode) override {
        view_.call("SetCalendarMode", {Variant::number16(number(mode))});
    }

private:
    Dispatch view_;
};

class ComViews : public HostViews {
public:
    explicit ComViews(Dispatch views) : views_(std::move(views)) {}
    std::shared_ptr<HostView> Create(int viewType, const std::string& name) override {
        const Variant view =
            views_.call("Create", {Variant::number16(number(viewType)), Variant::text(name)});
        return std::make_shared<ComView>(Dispatch(view.asObject()));
    }

private:
    Dispatch views_;
};

class ComPreferences : public HostPreferences {
public:
    explicit ComPreferences(Dispatch preferences) : preferences_(std::move(preferences)) {}
    std::string DefaultContactLayout() override { return read("DefaultContactLayout"); }
    void DefaultContactLayout(const std::string& path) override {
        write("DefaultContactLayout", path);
    }
    std::string DefaultGroupLayout() override { return read("DefaultGroupLayout"); }
    void DefaultGroupLayout(const std::string& path) override { write("DefaultGroupLayout", path); }
    std::string StartupMacro() override { return read("StartupMacro"); }
    void StartupMacro(const std::string& path) override { write("StartupMacro", path); }
    bool UseLastDBonStartup() override {
        return preferences_.get("UseLastDBonStartup").asBoolean();
    }
    std::string GetDefaultLocation(int kind) override {
        return preferences_.call("GetDefaultLocation", {Variant::number16(number(kind))}).asText();
    }

private:
    std::string read(const char* property) { return preferences_.get(property).asText(); }
    void write(const char* property, const std::string& path) {
        preferences_.put(property, Variant::text(path));
    }

    Dispatch preferences_;
};

class ComApplication : public HostApplication {
public:
    explicit ComApplication(Dispatch app) : app_(std::move(app)) {}
    void OpenFile(const std::string& path) override {
        app_.call("OpenFile", {Variant::text(path)});
    }
    void openDB(const std::string& path) override { app_.call("openDB", {Variant::text(path)}); }
    void RunMacro(const std::string& path) override {
        app_.call("RunMacro", {Variant::text(path)});
    }
    std::string GetOpenDBName() override { return app_.call("GetOpenDBName").asText(); }
    std::string GetCurrentUserName() override { return app_.call("GetCurrentUserName").asText(); }
    std::string GetAppPath() override { return app_.call("GetAppPath").asText(); }
    void Command(int n) override { app_.call("Command", {Variant::number16(number(n))}); }
    std::shared_ptr<HostViews> Views() override {
        return std::make_shared<ComViews>(Dispatch(app_.get("Views").asObject()));
    }
    std::shared_ptr<HostPreferences> Preferences() override {
        return std::make_shared<ComPreferences>(Dispatch(app_.get("Preferences").asObject()));
    }

private:
    Dispatch app_;
};

class ComAuxCommands : public HostAuxCommands {
public:
    explicit ComAuxCommands(Dispatch commands) : commands_(std::move(commands)) {}
    std::int32_t AddAuxCommand(const HostAuxCommand& c) override {
        return commands_
            .call("AddAuxCommand",
                  {Variant::text(c.name), Variant::text(c.program), Variant::text(c.workingFolder),
                   Variant::text(c.caption), Variant::text(c.toolTip), Variant::text(c.smallIcon),
                   Variant::text(c.largeIcon), Variant::number16(number(c.commandType))})
            .asNumber();
    }
    std::int32_t AuxCommandExists(const std::string& name) override {
        return commands_.call("AuxCommandExists", {Variant::text(name)}).asNumber();
    }
    std::int32_t AuxCommandExistsInToolbar(int view, const std::string& name) override {
        return inView("AuxCommandExistsInToolbar", view, name);
    }
    std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string& name) override {
        return inView("AuxCommandExistsInToolsMenu", view, name);
    }
    std::int32_t AddAuxCommandToToolbar(int view, const std::string& name) override {
        return inView("AddAuxCommandToToolbar", view, name);
    }
    std::int32_t RemoveAuxCommandFromToolbar(int view, const std::string& name) override {
        return inView("RemoveAuxCommandFromToolbar", view, name);
    }
    std::int32_t AddAuxCommandToToolsMenu(int view, const std::string& name) override {
        return inView("AddAuxCommandToToolsMenu", view, name);
    }
    std::int32_t RemoveAuxCommandFromToolsMenu(int view, const std::string& name) override {
        return inView("RemoveAuxCommandFromToolsMenu", view, name);
    }

private:
    std::int32_t inView(const char* member, int view, const std::string& name) {
        return commands_.call(member, {Variant::number16(number(view)), Variant::text(name)})
            .asNumber();
    }

    Dispatch commands_;
};

} // namespace

std::shared_ptr<HostApplication> ComHostConnection::createApplication() {
    return std::make_shared<ComApplication>(
        Dispatch::create(hostcom::kApplicationProgId, CLSCTX_SERVER));
}

std::shared_ptr<HostAuxCommands> ComHostConnection::createAuxCommands() {
    return std::make_shared<ComAuxCommands>(
        Dispatch::create(hostcom::kAuxCommandsProgId, CLSCTX_SERVER));
}

std::shared_ptr<HostEventControl> ComHostConnection::createEventControl() {
    return std::make_shared<ComEventControl>();
}

ComApartment::ComApartment() {
    const HRESULT result =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Entered by someone else in another kind: not ours to leave.
    entered_ = SUCCEEDED(result);
}

ComApartment::~ComApartment() {
    if (entered_)
        ::CoUninitialize();
}

} // namespace vm
