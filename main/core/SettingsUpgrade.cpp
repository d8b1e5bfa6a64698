#include "main/core/SettingsUpgrade.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "settings/IniLib.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"

#include <array>

namespace vm {

void Upgrade_to_32(IniLib& ini, PerUserStore& store) {
    static constexpr std::array<std::string_view, 4> kMovedKeys = {
        schema::kUsername, schema::kPassword, schema::kUsePassword,
        schema::kNoPasswordAtACTStartup};

    guarded({"modUpgrade", "Sub", "Upgrade_to_32"}, [&] {
        for (const std::string& section : ini.Extract_Sections()) {
            std::array<std::string, kMovedKeys.size()> values;
            for (size_t i = 0; i < kMovedKeys.size(); ++i) {
                values[i] = ini.GetKeyValue(section, std::string(kMovedKeys[i]), "");
                // The settings file is read as text, but the enciphered
                // password is a byte string: put back the bytes the file held.
                if (kMovedKeys[i] == schema::kPassword)
                    values[i] = windows1252::fromUtf8(values[i]).value_or(values[i]);
            }
            for (size_t i = 0; i < kMovedKeys.size(); ++i) {
                // A value that cannot be kept must stay where it is, or it
                // would be lost with the deletion below.
                if (!values[i].empty() && !store.SaveSetting(section, kMovedKeys[i], values[i]))
                    throw Failure(err::kFileAccess, cannotWriteMessage(store));
            }
            // A key left behind is a copy of what the store now holds, and
            // nothing reads it there any more.
            for (const std::string_view key : kMovedKeys)
                (void)ini.DeleteKey(section, std::string(key));
        }
    });
}

} // namespace vm
