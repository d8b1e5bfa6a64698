#pragma once

#include "DatabaseFile.h"
#include "Journal.h"
#include "Profile.h"
#include "StartUpValues.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin::core {

// Asks the user to log in to a database. `shown` is called once the question
// is on the screen and `answered` once the user has answered, which may be
// before askLogin returns (a modal dialog) or later (a window left open).
class LoginPrompt {
public:
    struct Answer {
        bool accepted = false;
        std::string userName;
        std::string password;
    };
    using Answered = std::function<void(const Answer&)>;
    virtual ~LoginPrompt() = default;
    virtual void askLogin(const std::string& databaseName, const std::string& suggestedUser,
                          const std::function<void()>& shown, Answered answered) = 0;
};

struct OpenDatabase {
    std::string path;
    std::string name;
    std::string userName;
    std::string contactLayout;
    std::string groupLayout;
};

struct ViewState {
    int type = 1;
    int calendarMode = 300;
};

// The stand-in host's state and what each automation member does to it, the
// same on Linux and Windows. Members that turn a request down throw Refusal;
// nothing changes then.
class HostState {
public:
    // View numbers of toolbars and the Tools menu: contacts, contact list,
    // groups, task list, calendars, e-mail.
    static constexpr int kToolbarViews = 6;
    enum AuxResult { kAuxDone = 0, kAuxRefused = 1, kAuxNotSaved = 2 };
    enum class Place { Toolbar, ToolsMenu };
    // Called once an open has succeeded (empty text) or been refused.
    using Done = std::function<void(const std::string& refusal)>;

    struct Listener {
        std::function<void()> changed;
        std::function<void(const std::string&)> notice;
        std::function<void()> closeRequested;
    };

    HostState(Journal journal, ProfileFile profileFile, const UserRegistry& registry,
              std::string dataFolder);

    void setLoginPrompt(LoginPrompt* prompt) { prompt_ = prompt; }
    void setListener(Listener listener) { listener_ = std::move(listener); }
    const Journal& journal() const { return journal_; }

    // Opens `file` when given, else, when the registry asks for it, the last
    // database with the registry's layouts and macro.
    void startUp(const std::string& file);

    // Opens with the default layouts and runs the startup macro; `done` is
    // called once the database is open, after the login where it has users.
    void openDatabase(const std::string& path, const Done& done);
    void runMacro(const std::string& path);
    const std::string& appPath() const { return dataFolder_; }
    void command(int number);

    // Returns the new view's number.
    int createView(int viewType);
    void setCalendarMode(int view, int mode);

    void setPreference(std::string Profile::*preference, const std::string& path);
    bool useLastDatabaseOnStartup() const;
    std::string defaultLocation(int kind) const;

    int addAuxCommand(const AuxCommand& command);
    bool auxCommandExists(const std::string& name) const;
    bool auxCommandPlaced(Place place, int view, const std::string& name) const;
    int placeAuxCommand(Place place, int view, const std::string& name, bool present);

    const OpenDatabase& current() const { return open_; }
    ViewState currentView() const;
    const std::string& lastMacro() const { return lastMacro_; }
    const Profile& profile() const { return profile_; }
    const StartUpSettings& startUpSettings() const { return startUp_; }
    const std::vector<FileLocation>& fileLocations() const { return fileLocations_; }
    bool loginPending() const { return loginPending_; }

private:
    struct OpenPlan {
        std::string contactLayout;
        std::string groupLayout;
        std::string macro;
    };
    void open(const std::string& path, const OpenPlan& plan, const Done& done);
    void logIn(const DatabaseFile& db, const OpenPlan& plan, const Done& done);
    void finishOpening(const DatabaseFile& db, const std::string& userName, const OpenPlan& plan);
    void saveProfile(const Profile& next);
    void createFolders();
    void changed() const;
    void notice(const std::string& message) const;

    Journal journal_;
    ProfileFile profileFile_;
    const UserRegistry& registry_;
    std::string dataFolder_;
    LoginPrompt* prompt_ = nullptr;
    Listener listener_;
    std::string profileProblem_;

    Profile profile_;
    StartUpSettings startUp_;
    std::vector<FileLocation> fileLocations_;
    OpenDatabase open_;
    std::map<int, ViewState> views_;
    int currentViewNumber_ = 0;
    int lastViewNumber_ = 0;
    std::string lastMacro_;
    bool loginPending_ = false;
};

} // namespace standin::core
