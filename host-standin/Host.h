#pragma once

#include "HostDatabase.h"
#include "HostProfile.h"
#include "Journal.h"
#include "RegistryValues.h"
#include "settings/RegistryFile.h"

#include <QObject>

#include <functional>
#include <map>

namespace standin {

// Asks the user to log in to a database; the frame window does it.
class LoginPrompt {
public:
    struct Answer {
        bool accepted = false;
        QString userName;
        QString password;
    };
    using Answered = std::function<void(const Answer&)>;
    virtual ~LoginPrompt() = default;
    virtual void askLogin(const QString& databaseName, const QString& suggestedUser,
                          Answered answered) = 0;
};

struct OpenDatabase {
    QString path;
    QString name;
    QString userName;
    QString contactLayout;
    QString groupLayout;
};

struct ViewState {
    int type = 1;
    int calendarMode = 300;
};

// The stand-in host's state and what each automation member does to it.
// Members that turn a request down throw Refusal; nothing changes then.
class Host : public QObject {
    Q_OBJECT
public:
    // View numbers of toolbars and the Tools menu: contacts, contact list,
    // groups, task list, calendars, e-mail.
    static constexpr int kToolbarViews = 6;
    // Answers of the auxiliary-command members.
    enum AuxResult { kAuxDone = 0, kAuxRefused = 1, kAuxNotSaved = 2 };
    enum class Place { Toolbar, ToolsMenu };
    // Called once an open has succeeded (empty text) or been refused.
    using Done = std::function<void(const QString& refusal)>;

    // ${XDG_DATA_HOME:-$HOME/.local/share}/host-standin
    static QString defaultDataFolder();

    Host(Journal journal, ProfileFile profileFile, vm::RegistryFile registry, QString dataFolder);

    void setLoginPrompt(LoginPrompt* prompt) { prompt_ = prompt; }
    const Journal& journal() const { return journal_; }

    // Opens `file` when given, else, when the registry asks for it, the last
    // database with the registry's layouts and macro.
    void startUp(const QString& file);

    // Opens with the default layouts and runs the startup macro.
    void openDatabase(const QString& path, const Done& done);
    void runMacro(const QString& path);
    QString appPath() const { return dataFolder_; }
    void command(int number);

    // Returns the new view's number.
    int createView(int viewType);
    void setCalendarMode(int view, int mode);

    void setPreference(QString HostProfile::*preference, const QString& path);
    bool useLastDatabaseOnStartup() const;
    QString defaultLocation(int kind) const;

    int addAuxCommand(const AuxCommand& command);
    bool auxCommandExists(const QString& name) const;
    bool auxCommandPlaced(Place place, int view, const QString& name) const;
    int placeAuxCommand(Place place, int view, const QString& name, bool present);

    const OpenDatabase& current() const { return open_; }
    ViewState currentView() const;
    const QString& lastMacro() const { return lastMacro_; }
    const HostProfile& profile() const { return profile_; }
    const StartUpSettings& startUpSettings() const { return startUp_; }
    const QList<FileLocation>& fileLocations() const { return fileLocations_; }

signals:
    void changed();
    void notice(const QString& message);
    void closeRequested();

private:
    struct OpenPlan {
        QString contactLayout;
        QString groupLayout;
        QString macro;
    };
    void open(const QString& path, const OpenPlan& plan, const Done& done);
    void finishOpening(const HostDatabase& db, const QString& userName, const OpenPlan& plan);
    void saveProfile(const HostProfile& next);
    void createFolders();

    Journal journal_;
    ProfileFile profileFile_;
    vm::RegistryFile registry_;
    QString dataFolder_;
    LoginPrompt* prompt_ = nullptr;
    QString profileProblem_;

    HostProfile profile_;
    StartUpSettings startUp_;
    QList<FileLocation> fileLocations_;
    OpenDatabase open_;
    std::map<int, ViewState> views_;
    int currentViewNumber_ = 0;
    int lastViewNumber_ = 0;
    QString lastMacro_;
    bool loginPending_ = false;
};

} // namespace standin
