#pragma once

#include "cipher/modEnCrypt.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace vm::test {

// A settings file's bytes as the program writes them: CRLF lines, the
// General section first, then the sections in the order given; keys in each
// in the order given.
class SettingsFile {
public:
    using Keys = std::initializer_list<std::pair<std::string_view, std::string_view>>;

    // The list's order, names joined by ";".
    SettingsFile& list(std::string_view names) { return general("Sort", names); }
    SettingsFile& general(std::string_view key, std::string_view value) {
        general_ += line(key, value);
        return *this;
    }
    SettingsFile& general(Keys keys) {
        for (const auto& [key, value] : keys)
            general(key, value);
        return *this;
    }
    // A database's record: its section, starting with its database file.
    SettingsFile& record(std::string_view name, std::string_view path, Keys more = {}) {
        return section(name, {{"Path", path}}).keys(more);
    }
    // The twelve file locations of the record just begun, each the folder
    // `folder` names for the type's index.
    template <typename Folder> SettingsFile& locations(Folder folder) {
        for (const schema::FileType& type : schema::kFileTypes)
            sections_ += line(type.key, folder(type.index));
        return *this;
    }
    SettingsFile& section(std::string_view name, Keys keys) {
        sections_ += "[" + std::string(name) + "]\r\n";
        return this->keys(keys);
    }

    std::string text() const {
        return (general_.empty() ? "" : "[General]\r\n" + general_) + sections_;
    }
    operator std::string() const { return text(); }

private:
    static std::string line(std::string_view key, std::string_view value) {
        return std::string(key) + "=" + std::string(value) + "\r\n";
    }
    SettingsFile& keys(Keys keys) {
        for (const auto& [key, value] : keys)
            sections_ += line(key, value);
        return *this;
    }

    std::string general_;
    std::string sections_;
};

// What the per-user store holds for a user who has run this version before.
inline bool startedBefore(PerUserStore& store, std::string_view language = "0") {
    return store.SaveSetting(schema::kSettings, schema::kInstalled, "1") &&
           store.SaveSetting(schema::kSettings, schema::kVersion, schema::programVersionText()) &&
           store.SaveSetting(schema::kOptions, schema::kLanguage, language);
}

// The hand-over Velmaris leaves for logon before starting it; `password` in
// the host's code page, as it is enciphered.
inline bool handOverLogon(PerUserStore& store, std::string_view username, std::string_view password,
                          bool usePassword = true) {
    return store.SaveSetting(schema::kLogon, schema::kUsername, username) &&
           store.SaveSetting(schema::kLogon, schema::kUsePassword, usePassword ? "1" : "0") &&
           store.SaveSetting(
               schema::kLogon, schema::kPassword,
               modEnCrypt::EncryptText(std::string(password), std::string(modEnCrypt::kCipherKey)));
}

} // namespace vm::test
