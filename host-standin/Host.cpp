#include "Host.h"

#include "HostDatabase.h"
#include "Refusal.h"
#include "host/dbus/HostBusNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace standin {

namespace {

const QString kHostObject = QStringLiteral("host");
const QString kRefused = QString::fromLatin1(vm::hostbus::kRefusedError);
const QString kAdmin = QStringLiteral("Admin");

void checkToolbarView(int view) {
    if (view < 1 || view > Host::kToolbarViews)
        throw Refusal(QStringLiteral("There is no view %1; views are numbered 1 to %2.")
                          .arg(view)
                          .arg(Host::kToolbarViews));
}

bool isCleanName(const QString& name) {
    return !name.trimmed().isEmpty() && std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.category() == QChar::Other_Control;
    });
}

} // namespace

QString Host::defaultDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/host-standin");
}

Host::Host(Journal journal, ProfileFile profileFile, vm::RegistryFile registry, QString dataFolder)
    : journal_(std::move(journal)), profileFile_(std::move(profileFile)),
      registry_(std::move(registry)), dataFolder_(std::move(dataFolder)) {
    profile_ = profileFile_.load(profileProblem_);
    fileLocations_ = readFileLocations(registry_, dataFolder_);
}

void Host::startUp(const QString& file) {
    createFolders();
    if (!profileProblem_.isEmpty())
        emit notice(profileProblem_);
    startUp_ = readStartUpSettings(registry_);
    emit changed();

    const bool fromRegistry =
        file.isEmpty() && startUp_.useLastDatabase && !startUp_.lastDatabase.isEmpty();
    if (file.isEmpty() && !fromRegistry)
        return;
    const QString path = fromRegistry ? startUp_.lastDatabase : file;
    const OpenPlan plan =
        fromRegistry ? OpenPlan{startUp_.contactLayout, startUp_.groupLayout, startUp_.macro}
                     : OpenPlan{profile_.defaultContactLayout, profile_.defaultGroupLayout,
                                profile_.startupMacro};
    const QVariantList args{path, plan.contactLayout, plan.groupLayout, plan.macro};
    open(path, plan, [this, args](const QString& refusal) {
        if (refusal.isEmpty()) {
            journal_.recordResult(kHostObject, QStringLiteral("StartUp"), args, open_.path);
        } else {
            journal_.recordError(kHostObject, QStringLiteral("StartUp"), args, kRefused, refusal);
            emit notice(tr("The database could not be opened at start-up: %1").arg(refusal));
        }
    });
}

void Host::openDatabase(const QString& path, const Done& done) {
    open(path, {profile_.defaultContactLayout, profile_.defaultGroupLayout, profile_.startupMacro},
         done);
}

void Host::open(const QString& path, const OpenPlan& plan, const Done& done) {
    if (loginPending_) {
        done(tr("The host is waiting for a login to another database."));
        return;
    }
    std::optional<HostDatabase> db;
    try {
        db = HostDatabase::load(path);
    } catch (const Refusal& refusal) {
        done(refusal.message());
        return;
    }
    if (!db->hasUsers()) {
        finishOpening(*db, kAdmin, plan);
        done({});
        return;
    }
    if (!prompt_) {
        done(tr("The host has no window to ask for a login."));
        return;
    }
    loginPending_ = true;
    prompt_->askLogin(db->name(), profile_.lastUserName, [=, this](const LoginPrompt::Answer& a) {
        loginPending_ = false;
        const std::optional<QString> user =
            a.accepted ? db->logIn(a.userName, a.password) : std::nullopt;
        const QString refusal = !a.accepted ? tr("The login to %1 was cancelled.").arg(db->name())
                                : !user ? tr("Wrong user name or password for %1.").arg(db->name())
                                        : QString();
        const QVariantList args{db->path(), a.userName, a.password};
        if (refusal.isEmpty()) {
            journal_.recordResult(kHostObject, QStringLiteral("Login"), args, *user);
            HostProfile next = profile_;
            next.lastUserName = *user;
            // Only a convenience for the next login; not worth failing the open.
            if (profileFile_.save(next))
                profile_ = next;
            finishOpening(*db, *user, plan);
        } else {
            journal_.recordError(kHostObject, QStringLiteral("Login"), args, kRefused, refusal);
        }
        done(refusal);
    });
    // The window is up: recorded so that the time to its answer can be read
    // from the journal.
    journal_.recordResult(kHostObject, QStringLiteral("LoginShown"), {db->path()}, QVariant());
}

void Host::finishOpening(const HostDatabase& db, const QString& userName, const OpenPlan& plan) {
    // The file locations are read again at every open, as they may have
    // been set for this database just before.
    fileLocations_ = readFileLocations(registry_, dataFolder_);
    open_ = {db.path(), db.name(), userName, plan.contactLayout, plan.groupLayout};
    views_.clear();
    currentViewNumber_ = 0;
    emit changed();
    emit notice(tr("Opened %1 as %2.").arg(db.name(), userName));
    if (plan.macro.isEmpty())
        return;
    try {
        runMacro(plan.macro);
    } catch (const Refusal& refusal) {
        emit notice(refusal.message());
    }
}

void Host::runMacro(const QString& path) {
    if (path.isEmpty())
        throw Refusal(tr("No macro file was given."));
    if (!QFileInfo(path).isFile())
        throw Refusal(tr("The macro file %1 does not exist.").arg(path));
    lastMacro_ = QFileInfo(path).absoluteFilePath();
    emit changed();
    emit notice(tr("Ran the macro %1.").arg(QFileInfo(path).fileName()));
}

void Host::command(int number) {
    constexpr int kClose = 150;
    if (number != kClose)
        throw Refusal(tr("The host has no command %1.").arg(number));
    emit closeRequested();
}

int Host::createView(int viewType) {
    if (open_.path.isEmpty())
        throw Refusal(tr("No database is open."));
    if (viewType < 1 || viewType > 5)
        throw Refusal(
            tr("There is no view type %1; view types are numbered 1 to 5.").arg(viewType));
    currentViewNumber_ = ++lastViewNumber_;
    views_[currentViewNumber_] = {viewType, 300};
    emit changed();
    return currentViewNumber_;
}

void Host::setCalendarMode(int view, int mode) {
    auto it = views_.find(view);
    if (it == views_.end())
        throw Refusal(tr("The view no longer exists."));
    if (it->second.type != 5)
        throw Refusal(tr("Only a calendar view has a calendar mode."));
    if (mode < 300 || mode > 302)
        throw Refusal(tr("There is no calendar mode %1; the modes are 300 to 302.").arg(mode));
    it->second.calendarMode = mode;
    emit changed();
}

ViewState Host::currentView() const {
    auto it = views_.find(currentViewNumber_);
    return it == views_.end() ? ViewState{} : it->second;
}

void Host::setPreference(QString HostProfile::*preference, const QString& path) {
    HostProfile next = profile_;
    next.*preference = path;
    saveProfile(next);
}

bool Host::useLastDatabaseOnStartup() const {
    return readUseLastDatabase(registry_);
}

QString Host::defaultLocation(int kind) const {
    const std::map<int, QString> types = {{0, QStringLiteral("Database")},
                                          {6, QStringLiteral("Layout")},
                                          {7, QStringLiteral("Macro")}};
    auto type = types.find(kind);
    if (type == types.end())
        throw Refusal(tr("There is no default location of kind %1.").arg(kind));
    for (const FileLocation& location : fileLocations_) {
        if (location.type == type->second)
            return location.folder;
    }
    return {};
}

int Host::addAuxCommand(const AuxCommand& command) {
    if (!isCleanName(command.name) || command.program.trimmed().isEmpty())
        return kAuxRefused;
    HostProfile next = profile_;
    if (AuxCommand* known = next.findCommand(command.name)) {
        AuxCommand renewed = command;
        renewed.toolbarViews = known->toolbarViews;
        renewed.toolsMenuViews = known->toolsMenuViews;
        *known = renewed;
    } else {
        AuxCommand added = command;
        added.toolbarViews.clear();
        added.toolsMenuViews.clear();
        next.auxCommands.append(added);
    }
    try {
        saveProfile(next);
    } catch (const Refusal&) {
        return kAuxNotSaved;
    }
    return kAuxDone;
}

bool Host::auxCommandExists(const QString& name) const {
    return profile_.findCommand(name) != nullptr;
}

bool Host::auxCommandPlaced(Place place, int view, const QString& name) const {
    checkToolbarView(view);
    const AuxCommand* command = profile_.findCommand(name);
    return command && (place == Place::Toolbar ? command->toolbarViews : command->toolsMenuViews)
                          .contains(view);
}

int Host::placeAuxCommand(Place place, int view, const QString& name, bool present) {
    checkToolbarView(view);
    HostProfile next = profile_;
    AuxCommand* command = next.findCommand(name);
    if (!command)
        return kAuxRefused;
    QSet<int>& views = place == Place::Toolbar ? command->toolbarViews : command->toolsMenuViews;
    if (present)
        views.insert(view);
    else
        views.remove(view);
    try {
        saveProfile(next);
    } catch (const Refusal&) {
        return kAuxNotSaved;
    }
    return kAuxDone;
}

void Host::saveProfile(const HostProfile& next) {
    if (!profileFile_.save(next))
        throw Refusal(tr("The host could not save its settings to %1.").arg(profileFile_.path()));
    profile_ = next;
    emit changed();
}

void Host::createFolders() {
    QStringList folders{dataFolder_};
    // Only the host's own folders: one named in the registry is the user's.
    for (const FileLocation& location : fileLocations_) {
        if (!location.fromRegistry)
            folders.append(location.folder);
    }
    for (const QString& folder : folders) {
        if (!QDir().mkpath(folder))
            emit notice(tr("The folder %1 could not be created.").arg(folder));
    }
}

} // namespace standin
