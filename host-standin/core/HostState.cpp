#include "HostState.h"

#include "FilePaths.h"
#include "Refusal.h"
#include "Text.h"

#include <algorithm>

namespace standin::core {

namespace {

const std::string kHostObject = "host";
const std::string kAdmin = "Admin";

void checkToolbarView(int view) {
    if (view < 1 || view > HostState::kToolbarViews)
        throw Refusal("There is no view " + std::to_string(view) + "; views are numbered 1 to " +
                      std::to_string(HostState::kToolbarViews) + ".");
}

} // namespace

HostState::HostState(Journal journal, ProfileFile profileFile, const UserRegistry& registry,
                     std::string dataFolder)
    : journal_(std::move(journal)), profileFile_(std::move(profileFile)), registry_(registry),
      dataFolder_(std::move(dataFolder)) {
    profile_ = profileFile_.load(profileProblem_);
    fileLocations_ = readFileLocations(registry_, dataFolder_);
}

void HostState::changed() const {
    if (listener_.changed)
        listener_.changed();
}

void HostState::notice(const std::string& message) const {
    if (listener_.notice)
        listener_.notice(message);
}

void HostState::startUp(const std::string& file) {
    createFolders();
    if (!profileProblem_.empty())
        notice(profileProblem_);
    startUp_ = readStartUpSettings(registry_);
    changed();

    const bool fromRegistry =
        file.empty() && startUp_.useLastDatabase && !startUp_.lastDatabase.empty();
    if (file.empty() && !fromRegistry)
        return;
    const std::string path = fromRegistry ? startUp_.lastDatabase : file;
    const OpenPlan plan =
        fromRegistry ? OpenPlan{startUp_.contactLayout, startUp_.groupLayout, startUp_.macro}
                     : OpenPlan{profile_.defaultContactLayout, profile_.defaultGroupLayout,
                                profile_.startupMacro};
    const Json::Array args{path, plan.contactLayout, plan.groupLayout, plan.macro};
    open(path, plan, [this, args](const std::string& refusal) {
        if (refusal.empty()) {
            journal_.recordResult(kHostObject, "StartUp", args, open_.path);
        } else {
            journal_.recordError(kHostObject, "StartUp", args, refusal);
            notice("The database could not be opened at start-up: " + refusal);
        }
    });
}

void HostState::openDatabase(const std::string& path, const Done& done) {
    open(path, {profile_.defaultContactLayout, profile_.defaultGroupLayout, profile_.startupMacro},
         done);
}

void HostState::open(const std::string& path, const OpenPlan& plan, const Done& done) {
    if (loginPending_) {
        done("The host is waiting for a login to another database.");
        return;
    }
    std::optional<DatabaseFile> db;
    try {
        db = DatabaseFile::load(path);
    } catch (const Refusal& refusal) {
        done(refusal.what());
        return;
    }
    if (!db->hasUsers()) {
        finishOpening(*db, kAdmin, plan);
        done({});
        return;
    }
    logIn(*db, plan, done);
}

void HostState::logIn(const DatabaseFile& db, const OpenPlan& plan, const Done& done) {
    if (!prompt_) {
        done("The host has no window to ask for a login.");
        return;
    }
    loginPending_ = true;
    auto answered = [this, db, plan, done](const LoginPrompt::Answer& answer) {
        loginPending_ = false;
        const std::optional<std::string> user =
            answer.accepted ? db.logIn(answer.userName, answer.password) : std::nullopt;
        const std::string refusal = !answer.accepted
                                        ? "The login to " + db.name() + " was cancelled."
                                    : !user ? "Wrong user name or password for " + db.name() + "."
                                            : std::string();
        Json::Array args{db.path(), answer.userName, answer.password};
        if (refusal.empty()) {
            journal_.recordResult(kHostObject, "Login", std::move(args), *user);
            Profile next = profile_;
            next.lastUserName = *user;
            // Only a convenience for the next login; not worth failing the open.
            if (profileFile_.save(next))
                profile_ = next;
            finishOpening(db, *user, plan);
        } else {
            journal_.recordError(kHostObject, "Login", std::move(args), refusal);
        }
        done(refusal);
    };
    // The window is up: recorded so that the time to its answer can be read
    // from the journal.
    const auto shown = [this, path = db.path()] {
        journal_.recordResult(kHostObject, "LoginShown", {path}, nullptr);
    };
    try {
        prompt_->askLogin(db.name(), profile_.lastUserName, shown, std::move(answered));
    } catch (...) {
        loginPending_ = false;
        throw;
    }
}

void HostState::finishOpening(const DatabaseFile& db, const std::string& userName,
                              const OpenPlan& plan) {
    // The file locations are read again at every open, as they may have
    // been set for this database just before.
    fileLocations_ = readFileLocations(registry_, dataFolder_);
    open_ = {db.path(), db.name(), userName, plan.contactLayout, plan.groupLayout};
    views_.clear();
    currentViewNumber_ = 0;
    changed();
    notice("Opened " + db.name() + " as " + userName + ".");
    if (plan.macro.empty())
        return;
    try {
        runMacro(plan.macro);
    } catch (const Refusal& refusal) {
        notice(refusal.what());
    }
}

void HostState::runMacro(const std::string& path) {
    if (path.empty())
        throw Refusal("No macro file was given.");
    if (!isFile(path))
        throw Refusal("The macro file " + path + " does not exist.");
    lastMacro_ = absolutePath(path);
    changed();
    notice("Ran the macro " + textOf(pathOf(path).filename()) + ".");
}

void HostState::command(int number) {
    constexpr int kClose = 150;
    if (number != kClose)
        throw Refusal("The host has no command " + std::to_string(number) + ".");
    if (listener_.closeRequested)
        listener_.closeRequested();
}

int HostState::createView(int viewType) {
    if (open_.path.empty())
        throw Refusal("No database is open.");
    if (viewType < 1 || viewType > 5)
        throw Refusal("There is no view type " + std::to_string(viewType) +
                      "; view types are numbered 1 to 5.");
    currentViewNumber_ = ++lastViewNumber_;
    views_[currentViewNumber_] = {viewType, 300};
    changed();
    return currentViewNumber_;
}

void HostState::setCalendarMode(int view, int mode) {
    auto it = views_.find(view);
    if (it == views_.end())
        throw Refusal("The view no longer exists.");
    if (it->second.type != 5)
        throw Refusal("Only a calendar view has a calendar mode.");
    if (mode < 300 || mode > 302)
        throw Refusal("There is no calendar mode " + std::to_string(mode) +
                      "; the modes are 300 to 302.");
    it->second.calendarMode = mode;
    changed();
}

ViewState HostState::currentView() const {
    auto it = views_.find(currentViewNumber_);
    return it == views_.end() ? ViewState{} : it->second;
}

void HostState::setPreference(std::string Profile::*preference, const std::string& path) {
    Profile next = profile_;
    next.*preference = path;
    saveProfile(next);
}

bool HostState::useLastDatabaseOnStartup() const {
    return readUseLastDatabase(registry_);
}

std::string HostState::defaultLocation(int kind) const {
    const std::map<int, std::string> types = {{0, "Database"}, {6, "Layout"}, {7, "Macro"}};
    auto type = types.find(kind);
    if (type == types.end())
        throw Refusal("There is no default location of kind " + std::to_string(kind) + ".");
    for (const FileLocation& location : fileLocations_) {
        if (location.type == type->second)
            return location.folder;
    }
    return {};
}

int HostState::addAuxCommand(const AuxCommand& command) {
    if (!isCleanName(command.name) || isBlank(command.program))
        return kAuxRefused;
    Profile next = profile_;
    if (AuxCommand* known = next.findCommand(command.name)) {
        AuxCommand renewed = command;
        renewed.toolbarViews = known->toolbarViews;
        renewed.toolsMenuViews = known->toolsMenuViews;
        *known = renewed;
    } else {
        AuxCommand added = command;
        added.toolbarViews.clear();
        added.toolsMenuViews.clear();
        next.auxCommands.push_back(added);
    }
    try {
        saveProfile(next);
    } catch (const Refusal&) {
        return kAuxNotSaved;
    }
    return kAuxDone;
}

bool HostState::auxCommandExists(const std::string& name) const {
    return profile_.findCommand(name) != nullptr;
}

bool HostState::auxCommandPlaced(Place place, int view, const std::string& name) const {
    checkToolbarView(view);
    const AuxCommand* command = profile_.findCommand(name);
    return command && (place == Place::Toolbar ? command->toolbarViews : command->toolsMenuViews)
                          .contains(view);
}

int HostState::placeAuxCommand(Place place, int view, const std::string& name, bool present) {
    checkToolbarView(view);
    Profile next = profile_;
    AuxCommand* command = next.findCommand(name);
    if (!command)
        return kAuxRefused;
    std::set<int>& views =
        place == Place::Toolbar ? command->toolbarViews : command->toolsMenuViews;
    if (present)
        views.insert(view);
    else
        views.erase(view);
    try {
        saveProfile(next);
    } catch (const Refusal&) {
        return kAuxNotSaved;
    }
    return kAuxDone;
}

void HostState::saveProfile(const Profile& next) {
    if (!profileFile_.save(next))
        throw Refusal("The host could not save its settings to " + profileFile_.path() + ".");
    profile_ = next;
    changed();
}

void HostState::createFolders() {
    std::vector<std::string> folders{dataFolder_};
    // Only the host's own folders: one named in the registry is the user's.
    for (const FileLocation& location : fileLocations_) {
        if (!location.fromRegistry)
            folders.push_back(location.folder);
    }
    for (const std::string& folder : folders) {
        std::error_code error;
        std::filesystem::create_directories(pathOf(folder), error);
        if (error)
            notice("The folder " + folder + " could not be created.");
    }
}

} // namespace standin::core
