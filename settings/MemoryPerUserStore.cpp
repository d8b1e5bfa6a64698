#include "settings/NameFolding.h"
#include "settings/PerUserStore.h"

namespace vm {

bool MemoryPerUserStore::Less::operator()(const std::string& a, const std::string& b) const {
    return foldedUtf8(a) < foldedUtf8(b);
}

std::string MemoryPerUserStore::GetSetting(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
    const auto s = sections_.find(std::string(section));
    if (s != sections_.end()) {
        const auto v = s->second.find(std::string(key));
        if (v != s->second.end() && !v->second.empty())
            return v->second;
    }
    return std::string(defaultValue);
}

bool MemoryPerUserStore::SaveSetting(std::string_view section, std::string_view key,
                                     std::string_view value) {
    sections_[std::string(section)][std::string(key)] = std::string(value);
    return true;
}

bool MemoryPerUserStore::DeleteSetting(std::string_view section,
                                       std::optional<std::string_view> key) {
    const auto s = sections_.find(std::string(section));
    if (s == sections_.end())
        return true;
    if (!key)
        sections_.erase(s);
    else
        s->second.erase(std::string(*key));
    return true;
}

bool MemoryPerUserStore::DeleteAll() {
    sections_.clear();
    return true;
}

} // namespace vm
