#include "BusObjects.h"

#include "host-standin/core/Refusal.h"
#include "host/dbus/HostBusNames.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QThread>

namespace standin {

namespace hostbus = vm::hostbus;

namespace {

const QString kRefused = QString::fromLatin1(standin::core::kRefusedError);

} // namespace

BusObject::BusObject(Host& host, QString path, QObject* parent)
    : QObject(parent), host_(host), path_(std::move(path)) {}

void BusObject::refuse(const char* member, const QVariantList& args, const QString& why) {
    host_.journal().recordError(path_, member, args, why);
    sendErrorReply(kRefused, why);
}

Host::Done BusObject::replyLater(const char* member, const QVariantList& args) {
    setDelayedReply(true);
    return [journal = host_.journal(), path = path_, member = QString::fromLatin1(member), args,
            request = message(), bus = connection()](const QString& refusal) mutable {
        if (refusal.isEmpty()) {
            journal.recordResult(path, member, args, {});
            bus.send(request.createReply());
        } else {
            journal.recordError(path, member, args, refusal);
            bus.send(request.createErrorReply(kRefused, refusal));
        }
    };
}

ApplicationObject::ApplicationObject(Host& host, QObject* parent)
    : BusObject(host, hostbus::kApplicationPath, parent) {}

void ApplicationObject::OpenFile(const QString& path) {
    const Host::Done done = replyLater("OpenFile", {path});
    if (path.isEmpty())
        done({});
    else
        host_.openDatabase(path, done);
}

void ApplicationObject::openDB(const QString& path) {
    host_.openDatabase(path, replyLater("openDB", {path}));
}

void ApplicationObject::RunMacro(const QString& path) {
    answer("RunMacro", {path}, [&] { host_.runMacro(path); });
}

QString ApplicationObject::GetOpenDBName() {
    return answer("GetOpenDBName", {}, [&] { return host_.current().path; });
}

QString ApplicationObject::GetCurrentUserName() {
    return answer("GetCurrentUserName", {}, [&] { return host_.current().userName; });
}

QString ApplicationObject::GetAppPath() {
    return answer("GetAppPath", {}, [&] { return host_.appPath(); });
}

void ApplicationObject::Command(int number) {
    answer("Command", {number}, [&] { host_.command(number); });
}

ViewObject::ViewObject(Host& host, int number, QObject* parent)
    : BusObject(host, QStringLiteral("%1/%2").arg(hostbus::kViewsPath).arg(number), parent),
      number_(number) {}

void ViewObject::SetCalendarMode(int mode) {
    answer("SetCalendarMode", {mode}, [&] { host_.setCalendarMode(number_, mode); });
}

ViewsObject::ViewsObject(Host& host, QObject* parent)
    : BusObject(host, hostbus::kViewsPath, parent) {}

QDBusObjectPath ViewsObject::Create(int viewType, const QString& name) {
    return answer("Create", {viewType, name}, [&] {
        auto* view = new ViewObject(host_, host_.createView(viewType), this);
        if (!connection().registerObject(view->path(), hostbus::kViewInterface, view,
                                         QDBusConnection::ExportAllSlots)) {
            delete view;
            throw Refusal(tr("The view could not be offered on the bus.").toStdString());
        }
        return QDBusObjectPath(view->path());
    });
}

PreferencesObject::PreferencesObject(Host& host, QObject* parent)
    : BusObject(host, hostbus::kPreferencesPath, parent) {}

QString PreferencesObject::read(const char* member, std::string Profile::*preference) {
    return answer(member, {}, [&] { return QString::fromStdString(host_.profile().*preference); });
}

void PreferencesObject::write(const char* member, std::string Profile::*preference,
                              const QString& path) {
    answer(member, {path}, [&] { host_.setPreference(preference, path); });
}

QString PreferencesObject::DefaultContactLayout() {
    return read("DefaultContactLayout", &Profile::defaultContactLayout);
}

void PreferencesObject::SetDefaultContactLayout(const QString& path) {
    write("SetDefaultContactLayout", &Profile::defaultContactLayout, path);
}

QString PreferencesObject::DefaultGroupLayout() {
    return read("DefaultGroupLayout", &Profile::defaultGroupLayout);
}

void PreferencesObject::SetDefaultGroupLayout(const QString& path) {
    write("SetDefaultGroupLayout", &Profile::defaultGroupLayout, path);
}

QString PreferencesObject::StartupMacro() {
    return read("StartupMacro", &Profile::startupMacro);
}

void PreferencesObject::SetStartupMacro(const QString& path) {
    write("SetStartupMacro", &Profile::startupMacro, path);
}

bool PreferencesObject::UseLastDBonStartup() {
    return answer("UseLastDBonStartup", {}, [&] { return host_.useLastDatabaseOnStartup(); });
}

QString PreferencesObject::GetDefaultLocation(int kind) {
    return answer("GetDefaultLocation", {kind}, [&] { return host_.defaultLocation(kind); });
}

AuxCommandsObject::AuxCommandsObject(Host& host, QObject* parent)
    : BusObject(host, hostbus::kAuxCommandsPath, parent) {}

int AuxCommandsObject::AddAuxCommand(const QString& name, const QString& program,
                                     const QString& workingFolder, const QString& caption,
                                     const QString& toolTip, const QString& smallIcon,
                                     const QString& largeIcon, int commandType) {
    return answer(
        "AddAuxCommand",
        {name, program, workingFolder, caption, toolTip, smallIcon, largeIcon, commandType}, [&] {
            return host_.addAuxCommand({name.toStdString(),
                                        program.toStdString(),
                                        workingFolder.toStdString(),
                                        caption.toStdString(),
                                        toolTip.toStdString(),
                                        smallIcon.toStdString(),
                                        largeIcon.toStdString(),
                                        commandType,
                                        {},
                                        {}});
        });
}

int AuxCommandsObject::AuxCommandExists(const QString& name) {
    return answer("AuxCommandExists", {name}, [&] { return host_.auxCommandExists(name) ? 1 : 0; });
}

int AuxCommandsObject::placed(const char* member, Host::Place where, int view,
                              const QString& name) {
    return answer(member, {view, name},
                  [&] { return host_.auxCommandPlaced(where, view, name) ? 1 : 0; });
}

int AuxCommandsObject::place(const char* member, Host::Place where, int view, const QString& name,
                             bool present) {
    return answer(member, {view, name},
                  [&] { return host_.placeAuxCommand(where, view, name, present); });
}

int AuxCommandsObject::AuxCommandExistsInToolbar(int view, const QString& name) {
    return placed("AuxCommandExistsInToolbar", Host::Place::Toolbar, view, name);
}

int AuxCommandsObject::AuxCommandExistsInToolsMenu(int view, const QString& name) {
    return placed("AuxCommandExistsInToolsMenu", Host::Place::ToolsMenu, view, name);
}

int AuxCommandsObject::AddAuxCommandToToolbar(int view, const QString& name) {
    return place("AddAuxCommandToToolbar", Host::Place::Toolbar, view, name, true);
}

int AuxCommandsObject::RemoveAuxCommandFromToolbar(int view, const QString& name) {
    return place("RemoveAuxCommandFromToolbar", Host::Place::Toolbar, view, name, false);
}

int AuxCommandsObject::AddAuxCommandToToolsMenu(int view, const QString& name) {
    return place("AddAuxCommandToToolsMenu", Host::Place::ToolsMenu, view, name, true);
}

int AuxCommandsObject::RemoveAuxCommandFromToolsMenu(int view, const QString& name) {
    return place("RemoveAuxCommandFromToolsMenu", Host::Place::ToolsMenu, view, name, false);
}

EventControlObject::EventControlObject(Host& host, QObject* parent)
    : BusObject(host, hostbus::kEventControlPath, parent) {}

int EventControlObject::Subscribe(int zero) {
    return answer("Subscribe", {zero}, [&] {
        ++subscriptions_[message().service()];
        return subscriptionCount();
    });
}

int EventControlObject::Unsubscribe() {
    return answer("Unsubscribe", {}, [&] {
        auto it = subscriptions_.find(message().service());
        if (it != subscriptions_.end() && --it.value() == 0)
            subscriptions_.erase(it);
        return subscriptionCount();
    });
}

int EventControlObject::subscriptionCount() const {
    int count = 0;
    for (int n : subscriptions_)
        count += n;
    return count;
}

void EventControlObject::announceClose(const QDBusConnection& bus) {
    // One signal per subscribed connection: each of its controls that still
    // listens hears it.
    for (const QString& subscriber : subscriptions_.keys()) {
        bus.send(QDBusMessage::createTargetedSignal(
            subscriber, path(), hostbus::kEventControlInterface, hostbus::kCloseSignal));
    }
}

HostService::HostService(QDBusConnection bus, Host& host) : bus_(std::move(bus)) {
    auto* application = new ApplicationObject(host, this);
    eventControl_ = new EventControlObject(host, this);
    served_ = {{application, hostbus::kApplicationInterface},
               {new ViewsObject(host, this), hostbus::kViewsInterface},
               {new PreferencesObject(host, this), hostbus::kPreferencesInterface},
               {new AuxCommandsObject(host, this), hostbus::kAuxCommandsInterface},
               {eventControl_, hostbus::kEventControlInterface}};
}

void HostService::settle() {
    // Messages leave in order: once the bus daemon has answered a question
    // asked now, it holds every reply and signal sent before it.
    if (bus_.interface())
        bus_.interface()->isServiceRegistered(hostbus::kService);
}

bool HostService::start() {
    for (const Served& served : served_) {
        if (!bus_.registerObject(served.object->path(), served.interface, served.object,
                                 QDBusConnection::ExportAllSlots))
            return false;
    }
    QDeadlineTimer deadline(3000);
    while (!bus_.registerService(hostbus::kService)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

} // namespace standin
