#pragma once

#include "Journal.h"
#include "RegistryValues.h"
#include "host-standin/core/HostState.h"
#include "host-standin/core/Refusal.h"

#include <QObject>
#include <QString>

#include <functional>

namespace standin {

using core::AuxCommand;
using core::FileLocation;
using core::LoginPrompt;
using core::Profile;
using core::Refusal;
using core::ViewState;

struct OpenDatabase {
    QString path;
    QString name;
    QString userName;
    QString contactLayout;
    QString groupLayout;
};

// The stand-in host on Linux: the core's state and members, with Qt text at
// the boundary and the core's news as Qt signals. Members that turn a request
// down throw Refusal; nothing changes then.
class Host : public QObject {
    Q_OBJECT
public:
    static constexpr int kToolbarViews = core::HostState::kToolbarViews;
    enum AuxResult {
        kAuxDone = core::HostState::kAuxDone,
        kAuxRefused = core::HostState::kAuxRefused,
        kAuxNotSaved = core::HostState::kAuxNotSaved
    };
    using Place = core::HostState::Place;
    // Called once an open has succeeded (empty text) or been refused.
    using Done = std::function<void(const QString& refusal)>;

    // ${XDG_DATA_HOME:-$HOME/.local/share}/host-standin
    static QString defaultDataFolder();
    // ${XDG_CONFIG_HOME:-$HOME/.config}/host-standin/profile.json
    static QString defaultProfilePath();

    Host(Journal journal, const QString& profilePath, vm::RegistryFile registry,
         const QString& dataFolder);

    void setLoginPrompt(LoginPrompt* prompt) { state_.setLoginPrompt(prompt); }
    const Journal& journal() const { return journal_; }

    // Opens `file` when given, else, when the registry asks for it, the last
    // database with the registry's layouts and macro.
    void startUp(const QString& file);

    // Opens with the default layouts and runs the startup macro.
    void openDatabase(const QString& path, const Done& done);
    void runMacro(const QString& path) { state_.runMacro(path.toStdString()); }
    QString appPath() const { return QString::fromStdString(state_.appPath()); }
    void command(int number) { state_.command(number); }

    // Returns the new view's number.
    int createView(int viewType) { return state_.createView(viewType); }
    void setCalendarMode(int view, int mode) { state_.setCalendarMode(view, mode); }

    void setPreference(std::string Profile::*preference, const QString& path) {
        state_.setPreference(preference, path.toStdString());
    }
    bool useLastDatabaseOnStartup() const { return state_.useLastDatabaseOnStartup(); }
    QString defaultLocation(int kind) const {
        return QString::fromStdString(state_.defaultLocation(kind));
    }

    int addAuxCommand(const AuxCommand& command) { return state_.addAuxCommand(command); }
    bool auxCommandExists(const QString& name) const {
        return state_.auxCommandExists(name.toStdString());
    }
    bool auxCommandPlaced(Place place, int view, const QString& name) const {
        return state_.auxCommandPlaced(place, view, name.toStdString());
    }
    int placeAuxCommand(Place place, int view, const QString& name, bool present) {
        return state_.placeAuxCommand(place, view, name.toStdString(), present);
    }

    OpenDatabase current() const;
    ViewState currentView() const { return state_.currentView(); }
    QString lastMacro() const { return QString::fromStdString(state_.lastMacro()); }
    const Profile& profile() const { return state_.profile(); }
    const core::StartUpSettings& startUpSettings() const { return state_.startUpSettings(); }
    const std::vector<FileLocation>& fileLocations() const { return state_.fileLocations(); }
    // The registry file the start-up values were read from; empty before.
    const QString& registryPath() const { return registryPath_; }
    bool registryFound() const { return registryFound_; }

signals:
    void changed();
    void notice(const QString& message);
    void closeRequested();

private:
    Journal journal_;
    RegistryFileValues registry_;
    core::HostState state_;
    QString registryPath_;
    bool registryFound_ = false;
};

} // namespace standin
