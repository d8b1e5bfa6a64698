#include "HostProfile.h"

#include "platform/LockedFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>

namespace standin {

namespace {

QJsonArray viewsToJson(const QSet<int>& views) {
    QList<int> sorted(views.begin(), views.end());
    std::sort(sorted.begin(), sorted.end());
    QJsonArray array;
    for (int view : sorted)
        array.append(view);
    return array;
}

QSet<int> viewsFromJson(const QJsonValue& value) {
    QSet<int> views;
    for (const QJsonValue& view : value.toArray())
        views.insert(view.toInt());
    return views;
}

QJsonObject commandToJson(const AuxCommand& c) {
    return {{"name", c.name},
            {"program", c.program},
            {"workingFolder", c.workingFolder},
            {"caption", c.caption},
            {"toolTip", c.toolTip},
            {"smallIcon", c.smallIcon},
            {"largeIcon", c.largeIcon},
            {"commandType", c.commandType},
            {"toolbar", viewsToJson(c.toolbarViews)},
            {"toolsMenu", viewsToJson(c.toolsMenuViews)}};
}

AuxCommand commandFromJson(const QJsonObject& o) {
    return {o["name"].toString(),         o["program"].toString(),   o["workingFolder"].toString(),
            o["caption"].toString(),      o["toolTip"].toString(),   o["smallIcon"].toString(),
            o["largeIcon"].toString(),    o["commandType"].toInt(1), viewsFromJson(o["toolbar"]),
            viewsFromJson(o["toolsMenu"])};
}

} // namespace

AuxCommand* HostProfile::findCommand(const QString& name) {
    auto it = std::find_if(auxCommands.begin(), auxCommands.end(), [&](const AuxCommand& c) {
        return c.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == auxCommands.end() ? nullptr : &*it;
}

const AuxCommand* HostProfile::findCommand(const QString& name) const {
    return const_cast<HostProfile*>(this)->findCommand(name);
}

QString ProfileFile::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/host-standin/profile.json");
}

HostProfile ProfileFile::load(QString& problem) const {
    const vm::FileContents contents = vm::readWholeFile(path_.toStdString());
    if (contents.status == vm::ReadStatus::Missing)
        return {};
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(contents.bytes), &error);
    if (contents.status == vm::ReadStatus::Failed || !document.isObject()) {
        problem =
            QStringLiteral("%1 could not be read (%2); the host starts with defaults.")
                .arg(path_, contents.status == vm::ReadStatus::Failed ? QStringLiteral("unreadable")
                                                                      : error.errorString());
        return {};
    }
    const QJsonObject o = document.object();
    HostProfile profile{o["defaultContactLayout"].toString(),
                        o["defaultGroupLayout"].toString(),
                        o["startupMacro"].toString(),
                        o["lastUserName"].toString(),
                        {}};
    for (const QJsonValue& command : o["auxCommands"].toArray())
        profile.auxCommands.append(commandFromJson(command.toObject()));
    return profile;
}

bool ProfileFile::save(const HostProfile& profile) const {
    QJsonArray commands;
    for (const AuxCommand& command : profile.auxCommands)
        commands.append(commandToJson(command));
    const QJsonObject o{{"defaultContactLayout", profile.defaultContactLayout},
                        {"defaultGroupLayout", profile.defaultGroupLayout},
                        {"startupMacro", profile.startupMacro},
                        {"lastUserName", profile.lastUserName},
                        {"auxCommands", commands}};
    const std::string bytes = QJsonDocument(o).toJson().toStdString();
    if (!vm::makeDirectories(QFileInfo(path_).absolutePath().toStdString()))
        return false;
    return vm::editFile(path_.toStdString(), [&](const std::optional<std::string>&) {
               return std::optional(bytes);
           }) != vm::EditResult::Failed;
}

} // namespace standin
