#include "Host.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace standin {

QString Host::defaultDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/host-standin");
}

QString Host::defaultProfilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/host-standin/profile.json");
}

Host::Host(Journal journal, const QString& profilePath, vm::RegistryFile registry,
           const QString& dataFolder)
    : journal_(std::move(journal)), registry_(std::move(registry)),
      state_(journal_.core(), core::ProfileFile(profilePath.toStdString()), registry_,
             dataFolder.toStdString()) {
    state_.setListener(
        {[this] { emit changed(); },
         [this](const std::string& message) { emit notice(QString::fromStdString(message)); },
         [this] { emit closeRequested(); }});
}

void Host::startUp(const QString& file) {
    registryPath_ = QString::fromStdString(registry_.file().path());
    registryFound_ = QFileInfo::exists(registryPath_);
    state_.startUp(file.toStdString());
}

void Host::openDatabase(const QString& path, const Done& done) {
    state_.openDatabase(path.toStdString(), [done](const std::string& refusal) {
        done(QString::fromStdString(refusal));
    });
}

OpenDatabase Host::current() const {
    const core::OpenDatabase& open = state_.current();
    return {QString::fromStdString(open.path), QString::fromStdString(open.name),
            QString::fromStdString(open.userName), QString::fromStdString(open.contactLayout),
            QString::fromStdString(open.groupLayout)};
}

} // namespace standin
