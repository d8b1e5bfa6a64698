#include "RegistryValues.h"

#include "HostRegistryNames.h"
#include "settings/RegistryFile.h"

#include <QFileInfo>

namespace standin {

namespace {

using namespace registry;

QString text(const vm::RegistryFile& registry, const char* key, const char* name) {
    const auto data = registry.value(key, name);
    const auto* s = data ? std::get_if<std::string>(&*data) : nullptr;
    return s ? QString::fromStdString(*s) : QString();
}

} // namespace

bool readUseLastDatabase(const vm::RegistryFile& registry) {
    const auto data = registry.value(kDatabaseKey, "Use Last DB");
    const auto* number = data ? std::get_if<std::uint32_t>(&*data) : nullptr;
    return number && *number == 1;
}

StartUpSettings readStartUpSettings(const vm::RegistryFile& registry) {
    return {QString::fromStdString(registry.path()),
            QFileInfo::exists(QString::fromStdString(registry.path())),
            readUseLastDatabase(registry),
            text(registry, kDatabaseKey, "Last DB Name"),
            text(registry, kDatabaseKey, "Contact Layout"),
            text(registry, kDatabaseKey, "Group Layout"),
            text(registry, kGeneralKey, "Macro Name")};
}

QList<FileLocation> readFileLocations(const vm::RegistryFile& registry, const QString& dataFolder) {
    QList<FileLocation> locations;
    for (const FileType& fileType : kFileTypes) {
        const QString folder =
            text(registry, kHostKey, (std::string(fileType.type) + " File Type").c_str());
        locations.append(
            {QString::fromLatin1(fileType.type),
             folder.isEmpty() ? dataFolder + QLatin1Char('/') + fileType.defaultFolder : folder,
             !folder.isEmpty()});
    }
    return locations;
}

} // namespace standin
