#include "DatabaseFile.h"

#include "FilePaths.h"
#include "Refusal.h"
#include "Text.h"
#include "settings/NameFolding.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace standin::core {

namespace {

// Real database files are a few lines; anything much larger is not ours.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1024} * 1024;

std::string readDatabaseFile(const std::string& path) {
    if (path.empty())
        throw Refusal("No database file was given.");
    std::error_code error;
    const auto status = std::filesystem::status(pathOf(path), error);
    if (!std::filesystem::exists(status))
        throw Refusal("The database file " + path + " does not exist.");
    if (!std::filesystem::is_regular_file(status))
        throw Refusal(path + " is not a database file.");
    if (std::filesystem::file_size(pathOf(path), error) > kMaxFileSize)
        throw Refusal(path + " is not a host database.");
    std::ifstream file(pathOf(path), std::ios::binary);
    std::ostringstream text;
    if (!(file && text << file.rdbuf()))
        throw Refusal("The database file " + path + " cannot be read.");
    return text.str();
}

bool sameName(const std::string& a, const std::string& b) {
    return vm::foldedUtf8(a) == vm::foldedUtf8(b);
}

} // namespace

DatabaseFile DatabaseFile::load(const std::string& path) {
    return parse(path, readDatabaseFile(path));
}

DatabaseFile DatabaseFile::parse(const std::string& path, const std::string& text) {
    DatabaseFile db;
    db.path_ = absolutePath(path);
    const auto notADatabase = [&](const std::string& why) {
        return Refusal(path + " is not a host database: " + why + ".");
    };
    bool marked = false;
    std::string section;
    // Windows editors start UTF-8 files with a byte order mark.
    const std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(3) : text);
    for (std::string raw; std::getline(lines, raw);) {
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = vm::foldedUtf8(trimmed(line.substr(1, line.size() - 2)));
            marked = marked || section == "database";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            throw notADatabase("the line \"" + firstCharacters(line, 40) +
                               "\" is neither a section nor a value");
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (section == "database" && sameName(key, "Name")) {
            db.name_ = value;
        } else if (section == "users") {
            if (key.empty())
                throw notADatabase("a user has no name");
            if (db.passwordOf(key))
                throw notADatabase("the user " + key + " is listed twice");
            db.users_.push_back({key, value});
        }
    }
    if (!marked)
        throw notADatabase("it has no [Database] section");
    if (db.name_.empty())
        db.name_ = baseName(path);
    return db;
}

const std::string* DatabaseFile::passwordOf(const std::string& userName) const {
    for (const User& user : users_) {
        if (sameName(user.name, userName))
            return &user.password;
    }
    return nullptr;
}

std::optional<std::string> DatabaseFile::logIn(const std::string& userName,
                                               const std::string& password) const {
    for (const User& user : users_) {
        if (sameName(user.name, userName) && user.password == password)
            return user.name;
    }
    return std::nullopt;
}

} // namespace standin::core
