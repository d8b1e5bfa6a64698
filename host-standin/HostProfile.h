#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace standin {

// A command registered by another program, and where the host offers it.
struct AuxCommand {
    QString name;
    QString program;
    QString workingFolder;
    QString caption;
    QString toolTip;
    QString smallIcon;
    QString largeIcon;
    int commandType = 1;
    QSet<int> toolbarViews;
    QSet<int> toolsMenuViews;
};

// What the host keeps between runs for its user.
struct HostProfile {
    QString defaultContactLayout;
    QString defaultGroupLayout;
    QString startupMacro;
    QString lastUserName;
    QList<AuxCommand> auxCommands;

    AuxCommand* findCommand(const QString& name);
    const AuxCommand* findCommand(const QString& name) const;
};

// The profile as a JSON file in the host's per-user folder.
class ProfileFile {
public:
    // ${XDG_CONFIG_HOME:-$HOME/.config}/host-standin/profile.json
    static QString defaultPath();
    explicit ProfileFile(QString path = defaultPath()) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // A missing file is an empty profile; a damaged one is an empty profile
    // and a description of the damage in `problem`.
    HostProfile load(QString& problem) const;
    // Creates the folder as needed; false when the file could not be written.
    bool save(const HostProfile& profile) const;

private:
    QString path_;
};

} // namespace standin
