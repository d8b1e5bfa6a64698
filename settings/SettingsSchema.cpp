#include "settings/SettingsSchema.h"

#include "settings/IniLib.h"
#include "settings/PerUserStore.h"

#include <algorithm>

namespace vm::schema {

std::string columnKey(int column) {
    return "Column" + std::to_string(column);
}

std::string fileTypeValueName(const FileType& type) {
    return std::string(type.key) + " File Type";
}

std::vector<std::string> splitList(std::string_view joined) {
    std::vector<std::string> names;
    if (joined.empty())
        return names;
    for (;;) {
        const size_t separator = joined.find(';');
        names.emplace_back(joined.substr(0, separator));
        if (separator == std::string_view::npos)
            return names;
        joined.remove_prefix(separator + 1);
    }
}

std::string joinList(const std::vector<std::string>& names) {
    std::string joined;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            joined += ';';
        joined += names[i];
    }
    return joined;
}

std::vector<std::string> listedNames(const IniLib& ini) {
    return splitList(ini.GetKeyValue(std::string(kGeneral), std::string(kSort), ""));
}

std::vector<std::string> recordFileKeys() {
    std::vector<std::string> keys = {std::string(kPath), std::string(kContactLayout),
                                     std::string(kGroupLayout), std::string(kStartupMacro),
                                     std::string(kUseLocationsFrom)};
    for (const FileType& type : kFileTypes)
        keys.emplace_back(type.key);
    return keys;
}

bool isProgramFileSection(std::string_view section) {
    return sameNameUtf8(section, kGeneral);
}

bool isProgramUserSection(std::string_view section) {
    return std::ranges::any_of(std::array{kSettings, kOptions, kDisplay, kLogon},
                               [&](std::string_view own) { return sameNameUtf8(section, own); });
}

DatabaseRecord readDatabaseRecord(IniLib& ini, PerUserStore& store, std::string_view name) {
    std::vector<std::string> values = ini.GetKeyValues(std::string(name), recordFileKeys());
    DatabaseRecord r;
    r.path = std::move(values[0]);
    r.contactLayout = std::move(values[1]);
    r.groupLayout = std::move(values[2]);
    r.startupMacro = std::move(values[3]);
    r.useLocationsFrom = std::move(values[4]);
    for (const FileType& type : kFileTypes)
        r.locations[type.index] = std::move(values[5 + type.index]);
    r.username = store.GetSetting(name, kUsername);
    r.password = store.GetSetting(name, kPassword);
    r.usePassword = store.GetSetting(name, kUsePassword, "0") == "1";
    r.noPasswordAtACTStartup = store.GetSetting(name, kNoPasswordAtACTStartup, "0") == "1";
    return r;
}

std::array<std::string, kFileTypeCount> applicableLocations(IniLib& ini, std::string_view name) {
    std::string source = ini.GetKeyValue(std::string(name), std::string(kUseLocationsFrom), "");
    if (source.empty())
        source = name;
    std::array<std::string, kFileTypeCount> locations;
    for (const FileType& type : kFileTypes)
        locations[type.index] = ini.GetKeyValue(source, std::string(type.key), "");
    return locations;
}

std::string versionText(int major, int minor, int revision) {
    return std::to_string(major) + std::to_string(minor) + std::to_string(revision);
}

} // namespace vm::schema
