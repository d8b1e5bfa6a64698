#include "base/Utf8Path.h"
#include "platform/LockedFile.h"
#include "settings/PerUserStore.h"
#include "settings/ProfileText.h"
#include "settings/StoreEscaping.h"
#include "settings/UserFolders.h"

#include <cstdlib>
#include <filesystem>

namespace vm {

namespace {

using store_escaping::escapeName;
using store_escaping::escapeValue;
using store_escaping::unescape;

constexpr unsigned kPrivateFile = 0600;
constexpr unsigned kPrivateFolder = 0700;

// Escaping is the same for equal names, so the escaped forms can be compared
// directly; only letter case is folded.
ProfileText parse(std::string bytes) {
    return ProfileText(std::move(bytes), sameNameUtf8);
}

// A store left open to others by an earlier version, or copied in by hand,
// is closed again at the next write, since it holds enciphered passwords: the
// file, and the folder when it is the store's own (named as the file is).
void keepPrivate(const std::string& path) {
#ifndef _WIN32
    namespace fs = std::filesystem;
    const auto tighten = [](const fs::path& at, fs::perms wanted) {
        std::error_code error;
        const fs::file_status status = fs::status(at, error);
        if (!error && fs::exists(status) && (status.permissions() & ~wanted) != fs::perms::none)
            // Deliberately unchecked: another user's store is theirs to mend,
            // and the write goes on either way.
            fs::permissions(at, wanted, error);
    };
    const fs::path file(path);
    if (file.parent_path().filename() == file.stem())
        tighten(file.parent_path(), fs::perms::owner_all);
    tighten(file, fs::perms::owner_read | fs::perms::owner_write);
#else
    (void)path;
#endif
}

// Applies one change to the store file; false when the file could not be
// written or the change was refused.
bool change(const std::string& path,
            const std::function<ProfileText::Change(ProfileText&)>& apply) {
    const std::string folder = utf8::fromPath(utf8::toPath(path).parent_path());
    if (!folder.empty() && !makeDirectories(folder, kPrivateFolder))
        return false;
    keepPrivate(path);
    bool refused = false;
    const EditResult result = editFile(
        path,
        [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            ProfileText text = parse(current.value_or(std::string()));
            switch (apply(text)) {
            case ProfileText::Change::Changed:
                return text.bytes();
            case ProfileText::Change::Refused:
                refused = true;
                return std::nullopt;
            case ProfileText::Change::Unchanged:
                return std::nullopt;
            }
            return std::nullopt;
        },
        kPrivateFile);
    return result != EditResult::Failed && !refused;
}

} // namespace

FilePerUserStore::FilePerUserStore(const std::string& applicationName)
    : path_(userConfigFolder() + "/" + applicationName + "/" + applicationName + ".conf") {}

FilePerUserStore FilePerUserStore::atPath(std::string filePath) {
    return FilePerUserStore(ExplicitPath{}, std::move(filePath));
}

std::string FilePerUserStore::GetSetting(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) {
    const FileContents contents = readWholeFile(path_);
    if (contents.status != ReadStatus::Ok)
        return std::string(defaultValue);
    const auto value = parse(contents.bytes).value(escapeName(section), escapeName(key));
    if (!value || value->empty())
        return std::string(defaultValue);
    return unescape(*value);
}

bool FilePerUserStore::SaveSetting(std::string_view section, std::string_view key,
                                   std::string_view value) {
    return change(path_, [&](ProfileText& text) {
        return text.setValue(escapeName(section), escapeName(key), escapeValue(value));
    });
}

bool FilePerUserStore::DeleteSetting(std::string_view section,
                                     std::optional<std::string_view> key) {
    if (!fileExists(path_))
        return true;
    return change(path_, [&](ProfileText& text) {
        return key ? text.deleteKey(escapeName(section), escapeName(*key))
                   : text.deleteSection(escapeName(section));
    });
}

bool FilePerUserStore::DeleteAll() {
    if (!fileExists(path_))
        return true;
    // Emptied rather than removed, so that the file keeps its private mode.
    return editFile(
               path_,
               [](const std::optional<std::string>&) { return std::optional<std::string>(""); },
               kPrivateFile) != EditResult::Failed;
}

std::string cannotWriteMessage(const PerUserStore& store) {
    return "The per-user settings could not be written: " + store.location();
}

} // namespace vm
