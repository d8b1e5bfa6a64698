#include "host/dbus/DBusHostConnection.h"

#include "host/dbus/DBusEventControl.h"
#include "host/dbus/HostBus.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusObjectPath>

namespace vm {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

class DBusView : public HostView {
public:
    DBusView(HostBus bus, QString path) : bus_(std::move(bus)), path_(std::move(path)) {}
    void SetCalendarMode(int mode) override {
        bus_.call(path_, hostbus::kViewInterface, "SetCalendarMode", {mode}, "");
    }

private:
    HostBus bus_;
    QString path_;
};

class DBusViews : public HostViews {
public:
    explicit DBusViews(HostBus bus) : bus_(std::move(bus)) {}
    std::shared_ptr<HostView> Create(int viewType, const std::string& name) override {
        const QVariant view = bus_.call(hostbus::kViewsPath, hostbus::kViewsInterface, "Create",
                                        {viewType, text(name)}, "o");
        return std::make_shared<DBusView>(bus_, view.value<QDBusObjectPath>().path());
    }

private:
    HostBus bus_;
};

class DBusPreferences : public HostPreferences {
public:
    explicit DBusPreferences(HostBus bus) : bus_(std::move(bus)) {}
    std::string DefaultContactLayout() override { return read("DefaultContactLayout"); }
    void DefaultContactLayout(const std::string& path) override {
        write("SetDefaultContactLayout", path);
    }
    std::string DefaultGroupLayout() override { return read("DefaultGroupLayout"); }
    void DefaultGroupLayout(const std::string& path) override {
        write("SetDefaultGroupLayout", path);
    }
    std::string StartupMacro() override { return read("StartupMacro"); }
    void StartupMacro(const std::string& path) override { write("SetStartupMacro", path); }
    bool UseLastDBonStartup() override { return call("UseLastDBonStartup", {}, "b").toBool(); }
    std::string GetDefaultLocation(int kind) override {
        return call("GetDefaultLocation", {kind}, "s").toString().toStdString();
    }

private:
    QVariant call(const char* member, const QVariantList& args, const char* answer) {
        return bus_.call(hostbus::kPreferencesPath, hostbus::kPreferencesInterface, member, args,
                         answer);
    }
    std::string read(const char* member) { return call(member, {}, "s").toString().toStdString(); }
    void write(const char* member, const std::string& path) { call(member, {text(path)}, ""); }

    HostBus bus_;
};

class DBusApplication : public HostApplication {
public:
    explicit DBusApplication(HostBus bus) : bus_(std::move(bus)) {}
    void OpenFile(const std::string& path) override {
        call("OpenFile", {text(path)}, "", HostBus::kPatient);
    }
    void openDB(const std::string& path) override {
        call("openDB", {text(path)}, "", HostBus::kPatient);
    }
    void RunMacro(const std::string& path) override {
        call("RunMacro", {text(path)}, "", HostBus::kPatient);
    }
    std::string GetOpenDBName() override { return read("GetOpenDBName"); }
    std::string GetCurrentUserName() override { return read("GetCurrentUserName"); }
    std::string GetAppPath() override { return read("GetAppPath"); }
    void Command(int number) override { call("Command", {number}, ""); }
    std::shared_ptr<HostViews> Views() override { return std::make_shared<DBusViews>(bus_); }
    std::shared_ptr<HostPreferences> Preferences() override {
        return std::make_shared<DBusPreferences>(bus_);
    }

private:
    QVariant call(const char* member, const QVariantList& args, const char* answer,
                  int timeout = HostBus::kBusDefault) {
        return bus_.call(hostbus::kApplicationPath, hostbus::kApplicationInterface, member, args,
                         answer, timeout);
    }
    std::string read(const char* member) { return call(member, {}, "s").toString().toStdString(); }

    HostBus bus_;
};

class DBusAuxCommands : public HostAuxCommands {
public:
    explicit DBusAuxCommands(HostBus bus) : bus_(std::move(bus)) {}
    std::int32_t AddAuxCommand(const HostAuxCommand& c) override {
        return call("AddAuxCommand",
                    {text(c.name), text(c.program), text(c.workingFolder), text(c.caption),
                     text(c.toolTip), text(c.smallIcon), text(c.largeIcon), c.commandType});
    }
    std::int32_t AuxCommandExists(const std::string& name) override {
        return call("AuxCommandExists", {text(name)});
    }
    std::int32_t AuxCommandExistsInToolbar(int view, const std::string& name) override {
        return call("AuxCommandExistsInToolbar", {view, text(name)});
    }
    std::int32_t AuxCommandExistsInToolsMenu(int view, const std::string& name) override {
        return call("AuxCommandExistsInToolsMenu", {view, text(name)});
    }
    std::int32_t AddAuxCommandToToolbar(int view, const std::string& name) override {
        return call("AddAuxCommandToToolbar", {view, text(name)});
    }
    std::int32_t RemoveAuxCommandFromToolbar(int view, const std::string& name) override {
        return call("RemoveAuxCommandFromToolbar", {view, text(name)});
    }
    std::int32_t AddAuxCommandToToolsMenu(int view, const std::string& name) override {
        return call("AddAuxCommandToToolsMenu", {view, text(name)});
    }
    std::int32_t RemoveAuxCommandFromToolsMenu(int view, const std::string& name) override {
        return call("RemoveAuxCommandFromToolsMenu", {view, text(name)});
    }

private:
    std::int32_t call(const char* member, const QVariantList& args) {
        return bus_
            .call(hostbus::kAuxCommandsPath, hostbus::kAuxCommandsInterface, member, args, "i")
            .toInt();
    }

    HostBus bus_;
};

} // namespace

std::shared_ptr<HostApplication> DBusHostConnection::createApplication() {
    return std::make_shared<DBusApplication>(HostBus(connection_));
}

std::shared_ptr<HostAuxCommands> DBusHostConnection::createAuxCommands() {
    return std::make_shared<DBusAuxCommands>(HostBus(connection_));
}

std::shared_ptr<HostEventControl> DBusHostConnection::createEventControl() {
    return std::make_shared<DBusEventControl>(connection_);
}

} // namespace vm
