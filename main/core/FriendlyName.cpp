#include "main/core/FriendlyName.h"

#include "settings/PerUserStore.h"
#include "settings/ProfileText.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"

#include <algorithm>

namespace vm {

namespace {

// A settings-file value is read back with at most this many characters; a
// longer list would lose its last names.
constexpr std::size_t kLongestList = 998;

// The name is read back from the settings file as it was written: as a
// section, alone as a value (UseLocationsFrom), and at either end of the
// lists joined by ";", whichever name stands at the other end.
bool readsBack(std::string_view name, std::string_view loaded,
               const std::vector<std::string>& listed) {
    if (!ProfileText::sectionNameReadsBack(name) || !ProfileText::valueReadsBack(name))
        return false;
    const std::string text(name);
    return std::ranges::all_of(listed, [&](const std::string& other) {
        return other == loaded || (ProfileText::valueReadsBack(text + ';' + other) &&
                                   ProfileText::valueReadsBack(other + ';' + text));
    });
}

} // namespace

bool storable(std::string_view text) {
    return windows1252::fromUtf8(text).has_value();
}

std::optional<int> friendlyNameProblem(std::string_view name, std::string_view loaded,
                                       const std::vector<std::string>& listed) {
    if (name.empty())
        return nametext::kNotUnique;
    if (name == loaded)
        return std::nullopt; // accepted when it was saved
    if (std::ranges::find(listed, name) != listed.end())
        return nametext::kNotUnique;
    if (name.find(';') != std::string_view::npos)
        return nametext::kSeparator;
    if (sameNameUtf8(name, schema::kGeneral))
        return nametext::kListSection;
    if (!readsBack(name, loaded, listed))
        return nametext::kNotRoundTrip;
    if (!storable(name))
        return nametext::kNotStorable;
    std::vector<std::string> after;
    for (const std::string& other : listed) {
        if (other == loaded)
            continue;
        if (sameNameUtf8(other, name))
            return nametext::kCaseTwin;
        after.push_back(other);
    }
    after.emplace_back(name);
    const auto list = windows1252::fromUtf8(schema::joinList(after));
    if (list && list->size() > kLongestList)
        return nametext::kListTooLong;
    return std::nullopt;
}

} // namespace vm
