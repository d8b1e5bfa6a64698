#include "main/core/CheckedWrites.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "settings/IniLib.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

namespace vm {

namespace {

void require(bool written, const std::string& what, std::source_location where) {
    if (!written)
        throw Failure(err::kFileAccess, what, where);
}

} // namespace

void setKey(IniLib& ini, std::string_view section, std::string_view key, std::string_view value,
            std::source_location where) {
    require(ini.SetKeyValue(std::string(section), std::string(key), std::string(value)),
            ini.cannotWriteMessage(), where);
}

void deleteKey(IniLib& ini, std::string_view section, std::string_view key,
               std::source_location where) {
    require(ini.DeleteKey(std::string(section), std::string(key)), ini.cannotWriteMessage(), where);
}

void deleteSection(IniLib& ini, std::string_view section, std::source_location where) {
    require(ini.DeleteSection(std::string(section)), ini.cannotWriteMessage(), where);
}

void saveSetting(PerUserStore& store, std::string_view section, std::string_view key,
                 std::string_view value, std::source_location where) {
    require(store.SaveSetting(section, key, value), cannotWriteMessage(store), where);
}

void deleteSetting(PerUserStore& store, std::string_view section,
                   std::optional<std::string_view> key, std::source_location where) {
    require(store.DeleteSetting(section, key), cannotWriteMessage(store), where);
}

void deleteRecord(IniLib& ini, PerUserStore& store, std::string_view name,
                  std::source_location where) {
    if (schema::isProgramFileSection(name)) {
        for (const std::string& key : schema::recordFileKeys())
            deleteKey(ini, name, key, where);
    } else {
        deleteSection(ini, name, where);
    }
    if (schema::isProgramUserSection(name)) {
        for (const std::string_view key : schema::kRecordUserKeys)
            deleteSetting(store, name, key, where);
    } else {
        deleteSetting(store, name, std::nullopt, where);
    }
}

} // namespace vm
