#pragma once

#include <QList>
#include <QString>

namespace vm {
class RegistryFile;
}

namespace standin {

// What the host takes from its registry values (on Linux, the registry file
// shared with Velmaris) when it starts.
struct StartUpSettings {
    QString registryPath;
    bool registryFound = false;
    bool useLastDatabase = false;
    QString lastDatabase;
    QString contactLayout;
    QString groupLayout;
    QString macro;
};

StartUpSettings readStartUpSettings(const vm::RegistryFile& registry);
// "Use Last DB" alone, as the preference UseLastDBonStartup reports it.
bool readUseLastDatabase(const vm::RegistryFile& registry);

// One of the twelve kinds of host files and the folder the host uses for it:
// the registry's "<type> File Type" value when set, else a folder below the
// host's data folder.
struct FileLocation {
    QString type;
    QString folder;
    bool fromRegistry = false;
};

QList<FileLocation> readFileLocations(const vm::RegistryFile& registry, const QString& dataFolder);

} // namespace standin
