#include "settings/IniLib.h"

#include "platform/LockedFile.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFileEncoding.h"
#include "settings/Windows1252.h"

#include <algorithm>
#include <optional>

namespace vm {

namespace {

// Windows is asked for at most 999 characters including the terminating NUL.
constexpr std::size_t kReadBuffer = 999;
constexpr std::size_t kValueLimit = kReadBuffer - 1;

std::shared_ptr<const ProfileText> readProfile(const std::string& path) {
    if (path.empty())
        return nullptr;
    FileContents contents = readWholeFile(path);
    if (contents.status != ReadStatus::Ok)
        return nullptr;
    SettingsFileText text(std::move(contents.bytes));
    return std::make_shared<const ProfileText>(text.releaseAnsi(), windows1252::equalsIgnoreCase);
}

// Windows lists the names in the buffer each followed by a NUL, and the list
// by one more. A name that does not fit whole is cut so that both NULs still
// fit, and ends the list.
std::vector<std::string> namesThatFit(const std::vector<std::string>& names) {
    std::vector<std::string> fitting;
    std::size_t room = kReadBuffer - 1;
    for (const std::string& name : names) {
        // A nameless section would end the caller's scan for names early.
        if (name.empty())
            continue;
        if (name.size() + 1 >= room) {
            if (room > 1)
                fitting.push_back(name.substr(0, room - 1));
            break;
        }
        fitting.push_back(name);
        room -= name.size() + 1;
    }
    return fitting;
}

} // namespace

const std::string& IniLib::pathOf(const std::string& file) const {
    return file.empty() ? sIniPath : file;
}

IniLib::Snapshot::Snapshot(const IniLib& ini) : ini_(ini) {
    ++ini_.snapshots_;
}

IniLib::Snapshot::~Snapshot() {
    if (--ini_.snapshots_ == 0)
        ini_.held_.clear();
}

std::shared_ptr<const ProfileText> IniLib::profile(const std::string& file) const {
    const std::string& path = pathOf(file);
    if (snapshots_ == 0)
        return readProfile(path);
    const auto held = held_.find(path);
    if (held != held_.end())
        return held->second;
    return held_[path] = readProfile(path);
}

namespace {

std::string readValue(const ProfileText* text, const std::string& section1252,
                      const std::string& key, const std::string& defaultValue) {
    const std::optional<std::string> key1252 = windows1252::fromUtf8(key);
    std::optional<std::string> value =
        text && key1252 ? text->value(section1252, *key1252) : std::nullopt;
    if (!value || value->empty())
        return defaultValue;
    value->resize(std::min(value->size(), kValueLimit));
    return windows1252::toUtf8(*value);
}

} // namespace

std::string IniLib::GetKeyValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string& file) const {
    const std::optional<std::string> section1252 = windows1252::fromUtf8(section);
    if (!section1252)
        return defaultValue;
    return readValue(profile(file).get(), *section1252, key, defaultValue);
}

std::vector<std::string> IniLib::GetKeyValues(const std::string& section,
                                              const std::vector<std::string>& keys,
                                              const std::string& file) const {
    std::vector<std::string> values(keys.size());
    const std::optional<std::string> section1252 = windows1252::fromUtf8(section);
    if (!section1252)
        return values;
    const std::shared_ptr<const ProfileText> text = profile(file);
    for (size_t i = 0; i < keys.size(); ++i)
        values[i] = readValue(text.get(), *section1252, keys[i], "");
    return values;
}

template <class Edit> bool IniLib::edit(const std::string& file, bool createsFile, Edit&& change) {
    const std::string& path = pathOf(file);
    if (path.empty())
        return false;
    // What this action writes, it reads back; the file is read afresh.
    held_.erase(path);
    lastProblem_.clear();
    bool refused = false;
    const EditResult result = editFile(
        path,
        [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            if (!current && !createsFile)
                return std::nullopt;
            SettingsFileText original(current.value_or(std::string()));
            ProfileText text(original.releaseAnsi(), windows1252::equalsIgnoreCase);
            const ProfileText::Change outcome = change(text);
            refused = outcome == ProfileText::Change::Refused;
            if (outcome != ProfileText::Change::Changed)
                return std::nullopt;
            std::optional<std::string> encoded = original.encode(text.bytes());
            if (!encoded) {
                refused = true;
                lastProblem_ = "it holds text that could not be written back unchanged";
            }
            return encoded;
        },
        0666, &lastProblem_);
    return result != EditResult::Failed && !refused;
}

std::string IniLib::cannotWriteMessage(const std::string& file) const {
    return "The settings file could not be written: " + pathOf(file) +
           (lastProblem_.empty() ? "" : " (" + lastProblem_ + ")");
}

bool IniLib::SetKeyValue(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& file) {
    const std::optional<std::string> section1252 = windows1252::fromUtf8(section);
    const std::optional<std::string> key1252 = windows1252::fromUtf8(key);
    const std::optional<std::string> value1252 = windows1252::fromUtf8(value);
    if (!section1252 || !key1252 || !value1252) {
        lastProblem_ = "the text holds characters the settings file cannot store";
        return false;
    }
    return edit(file, true, [&](ProfileText& text) {
        return text.setValue(*section1252, *key1252, *value1252);
    });
}

bool IniLib::DeleteKey(const std::string& section, const std::string& key,
                       const std::string& file) {
    const std::optional<std::string> section1252 = windows1252::fromUtf8(section);
    const std::optional<std::string> key1252 = windows1252::fromUtf8(key);
    if (!section1252 || !key1252)
        return false;
    return edit(file, false,
                [&](ProfileText& text) { return text.deleteKey(*section1252, *key1252); });
}

bool IniLib::DeleteSection(const std::string& section, const std::string& file) {
    const std::optional<std::string> section1252 = windows1252::fromUtf8(section);
    if (!section1252)
        return false;
    return edit(file, false, [&](ProfileText& text) { return text.deleteSection(*section1252); });
}

std::vector<std::string> IniLib::Extract_Sections(const std::string& file) const {
    const std::shared_ptr<const ProfileText> text = profile(file);
    if (!text)
        return {};
    std::vector<std::string> names = namesThatFit(text->sectionNames());
    for (std::string& name : names)
        name = windows1252::toUtf8(name);
    return names;
}

} // namespace vm
