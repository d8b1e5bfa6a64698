#pragma once

#include "Host.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>

namespace standin {

// What every object the host serves on the bus shares: each call goes into
// the journal, and a refusal goes back as the host's D-Bus error.
class BusObject : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    BusObject(Host& host, QString path, QObject* parent);
    const QString& path() const { return path_; }

protected:
    template <class Work>
    auto answer(const char* member, const QVariantList& args, Work work) -> decltype(work());
    // For a call answered once the host is done with it (a login may be up).
    Host::Done replyLater(const char* member, const QVariantList& args);

    Host& host_;

private:
    void refuse(const char* member, const QVariantList& args, const QString& why);
    QString path_;
};

template <class Work>
auto BusObject::answer(const char* member, const QVariantList& args, Work work)
    -> decltype(work()) {
    using Result = decltype(work());
    try {
        if constexpr (std::is_void_v<Result>) {
            work();
            host_.journal().recordResult(path_, member, args, {});
        } else {
            Result result = work();
            host_.journal().recordResult(path_, member, args, QVariant::fromValue(result));
            return result;
        }
    } catch (const Refusal& refusal) {
        refuse(member, args, QString::fromStdString(refusal.what()));
        if constexpr (!std::is_void_v<Result>)
            return Result{};
    }
}

class ApplicationObject : public BusObject {
    Q_OBJECT
public:
    ApplicationObject(Host& host, QObject* parent);

public slots:
    void OpenFile(const QString& path);
    void openDB(const QString& path);
    void RunMacro(const QString& path);
    QString GetOpenDBName();
    QString GetCurrentUserName();
    QString GetAppPath();
    void Command(int number);
};

class ViewObject : public BusObject {
    Q_OBJECT
public:
    ViewObject(Host& host, int number, QObject* parent);

public slots:
    void SetCalendarMode(int mode);

private:
    int number_;
};

class ViewsObject : public BusObject {
    Q_OBJECT
public:
    ViewsObject(Host& host, QObject* parent);

public slots:
    QDBusObjectPath Create(int viewType, const QString& name);
};

class PreferencesObject : public BusObject {
    Q_OBJECT
public:
    PreferencesObject(Host& host, QObject* parent);

public slots:
    QString DefaultContactLayout();
    void SetDefaultContactLayout(const QString& path);
    QString DefaultGroupLayout();
    void SetDefaultGroupLayout(const QString& path);
    QString StartupMacro();
    void SetStartupMacro(const QString& path);
    bool UseLastDBonStartup();
    QString GetDefaultLocation(int kind);

private:
    QString read(const char* member, std::string Profile::*preference);
    void write(const char* member, std::string Profile::*preference, const QString& path);
};

class AuxCommandsObject : public BusObject {
    Q_OBJECT
public:
    AuxCommandsObject(Host& host, QObject* parent);

public slots:
    int AddAuxCommand(const QString& name, const QString& program, const QString& workingFolder,
                      const QString& caption, const QString& toolTip, const QString& smallIcon,
                      const QString& largeIcon, int commandType);
    int AuxCommandExists(const QString& name);
    int AuxCommandExistsInToolbar(int view, const QString& name);
    int AuxCommandExistsInToolsMenu(int view, const QString& name);
    int AddAuxCommandToToolbar(int view, const QString& name);
    int RemoveAuxCommandFromToolbar(int view, const QString& name);
    int AddAuxCommandToToolsMenu(int view, const QString& name);
    int RemoveAuxCommandFromToolsMenu(int view, const QString& name);

private:
    int placed(const char* member, Host::Place place, int view, const QString& name);
    int place(const char* member, Host::Place place, int view, const QString& name, bool present);
};

class EventControlObject : public BusObject {
    Q_OBJECT
public:
    EventControlObject(Host& host, QObject* parent);
    // Tells every subscriber that the user is closing the host.
    void announceClose(const QDBusConnection& bus);

public slots:
    // Both answer the number of subscriptions.
    int Subscribe(int zero);
    int Unsubscribe();

private:
    int subscriptionCount() const;
    // Subscriptions by the subscriber's unique bus name.
    QHash<QString, int> subscriptions_;
};

// The host on the session bus: its objects, and its well-known name.
class HostService : public QObject {
    Q_OBJECT
public:
    HostService(QDBusConnection bus, Host& host);

    // Serves the objects and takes the name. A host that is closing may
    // still hold the name for a moment, so this waits a little for it.
    bool start();
    void announceClose() { eventControl_->announceClose(bus_); }
    // Returns once everything sent so far has reached the bus, so that the
    // host may end without losing a reply or the close signal.
    void settle();

private:
    struct Served {
        BusObject* object;
        const char* interface;
    };
    QDBusConnection bus_;
    QList<Served> served_;
    EventControlObject* eventControl_;
};

} // namespace standin
