#include "settings/RegistryFile.h"

#include "base/Utf8Path.h"
#include "platform/LockedFile.h"
#include "settings/UserFolders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vm {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

struct Value {
    std::string name;
    RegistryData data;
};

struct Key {
    std::string path;
    std::vector<Value> values;
};

// The file as keys in file order; lines that are neither headers nor values
// are not kept, because only this program and the stand-in host write it.
struct Hive {
    std::vector<Key> keys;

    Key* find(std::string_view path) {
        auto it = std::find_if(keys.begin(), keys.end(),
                               [&](const Key& k) { return sameName(k.path, path); });
        return it == keys.end() ? nullptr : &*it;
    }
    const Key* find(std::string_view path) const { return const_cast<Hive*>(this)->find(path); }

    bool hasKeyOrChild(std::string_view path) const {
        return std::any_of(keys.begin(), keys.end(), [&](const Key& k) {
            return sameName(k.path, path) ||
                   (k.path.size() > path.size() && k.path[path.size()] == '\\' &&
                    sameName(std::string_view(k.path).substr(0, path.size()), path));
        });
    }

    Key& obtain(std::string_view path) {
        if (Key* k = find(path))
            return *k;
        keys.push_back({std::string(path), {}});
        return keys.back();
    }
};

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + '"';
}

// Reads a quoted string starting at `pos` (on the opening quote); returns the
// position after the closing quote, or npos when the line is malformed.
size_t unquote(std::string_view line, size_t pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"')
        return std::string_view::npos;
    for (size_t i = pos + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            return i + 1;
        if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            out += c;
        }
    }
    return std::string_view::npos;
}

std::optional<Value> parseValue(std::string_view line) {
    Value v;
    size_t pos = unquote(line, 0, v.name);
    if (pos == std::string_view::npos || pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    ++pos;
    if (line.substr(pos, 6) == "dword:") {
        const std::string digits(line.substr(pos + 6));
        char* end = nullptr;
        const unsigned long n = std::strtoul(digits.c_str(), &end, 16);
        if (digits.empty() || digits.size() > 8 || *end != '\0')
            return std::nullopt;
        v.data = static_cast<std::uint32_t>(n);
        return v;
    }
    std::string text;
    if (unquote(line, pos, text) != line.size())
        return std::nullopt;
    v.data = std::move(text);
    return v;
}

Hive parse(std::string_view bytes) {
    Hive hive;
    Key* current = nullptr;
    while (!bytes.empty()) {
        const size_t eol = bytes.find('\n');
        std::string_view line = bytes.substr(0, eol);
        bytes = eol == std::string_view::npos ? std::string_view() : bytes.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            std::string_view path = line.substr(1, line.size() - 2);
            // Keys of other roots are not ours to serve.
            current = nullptr;
            if (path.size() > kRoot.size() + 1 && sameName(path.substr(0, kRoot.size()), kRoot) &&
                path[kRoot.size()] == '\\')
                current = &hive.obtain(path.substr(kRoot.size() + 1));
        } else if (current) {
            if (auto v = parseValue(line)) {
                auto same = std::find_if(current->values.begin(), current->values.end(),
                                         [&](const Value& x) { return sameName(x.name, v->name); });
                if (same == current->values.end())
                    current->values.push_back(std::move(*v));
                else
                    same->data = std::move(v->data);
            }
        }
    }
    return hive;
}

std::string serialize(const Hive& hive) {
    std::string out(kHeader);
    out += "\n\n";
    for (const Key& key : hive.keys) {
        out += '[';
        out += kRoot;
        out += '\\';
        out += key.path;
        out += "]\n";
        for (const Value& v : key.values) {
            out += quote(v.name) + '=';
            if (const auto* text = std::get_if<std::string>(&v.data)) {
                out += quote(*text);
            } else {
                char hex[9];
                std::snprintf(hex, sizeof hex, "%08x", std::get<std::uint32_t>(v.data));
                out += "dword:";
                out += hex;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

// A key path is written into a "[...]" line as it is: a line break or any
// other control character in it would end that line and forge keys, so such a
// path is no key at all (empty).
std::string normalizedKey(std::string_view keyPath) {
    if (std::any_of(keyPath.begin(), keyPath.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return {};
    std::string path(keyPath);
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    while (!path.empty() && path.front() == '\\')
        path.erase(path.begin());
    return path;
}

Hive load(const std::string& path) {
    const FileContents contents = readWholeFile(path);
    return contents.status == ReadStatus::Ok ? parse(contents.bytes) : Hive{};
}

bool edit(const std::string& path, const std::function<bool(Hive&)>& change) {
    const std::string folder = utf8::fromPath(utf8::toPath(path).parent_path());
    if (!folder.empty() && !makeDirectories(folder))
        return false;
    const EditResult result = editFile(path, [&](const std::optional<std::string>& current) {
        Hive hive = current ? parse(*current) : Hive{};
        if (!change(hive) && current)
            return std::optional<std::string>();
        return std::optional<std::string>(serialize(hive));
    });
    return result != EditResult::Failed;
}

} // namespace

std::string hostRegistryFilePath() {
    if (const char* path = std::getenv("VELMARIS_HOST_REGISTRY"); path && *path)
        return path;
    return userConfigFolder() + "/host-registry/HKEY_CURRENT_USER.reg";
}

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {}

bool RegistryFile::keyExists(std::string_view keyPath) const {
    const std::string key = normalizedKey(keyPath);
    return !key.empty() && load(path_).hasKeyOrChild(key);
}

bool RegistryFile::createKey(std::string_view keyPath) {
    const std::string key = normalizedKey(keyPath);
    if (key.empty())
        return false;
    return edit(path_, [&](Hive& hive) {
        if (hive.find(key))
            return false;
        hive.obtain(key);
        return true;
    });
}

bool RegistryFile::setValue(std::string_view keyPath, std::string_view valueName,
                            const RegistryData& data) {
    const std::string key = normalizedKey(keyPath);
    if (key.empty())
        return false;
    return edit(path_, [&](Hive& hive) {
        Key& k = hive.obtain(key);
        auto same = std::find_if(k.values.begin(), k.values.end(),
                                 [&](const Value& v) { return sameName(v.name, valueName); });
        if (same == k.values.end()) {
            k.values.push_back({std::string(valueName), data});
            return true;
        }
        if (same->data == data)
            return false;
        same->data = data;
        return true;
    });
}

bool RegistryFile::deleteValue(std::string_view keyPath, std::string_view valueName) {
    if (!value(keyPath, valueName))
        return true;
    return edit(path_, [&](Hive& hive) {
        Key* key = hive.find(normalizedKey(keyPath));
        return key && std::erase_if(key->values, [&](const Value& v) {
                          return sameName(v.name, valueName);
                      }) > 0;
    });
}

std::optional<RegistryData> RegistryFile::value(std::string_view keyPath,
                                                std::string_view valueName) const {
    const Hive hive = load(path_);
    const Key* key = hive.find(normalizedKey(keyPath));
    if (!key)
        return std::nullopt;
    for (const Value& v : key->values)
        if (sameName(v.name, valueName))
            return v.data;
    return std::nullopt;
}

} // namespace vm
