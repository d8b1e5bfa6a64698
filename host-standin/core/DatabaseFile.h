#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin::core {

// A host database file, read as the Linux stand-in reads it: UTF-8 text with a
// [Database] section (Name= what the host shows, the file's base name when
// absent) and a [Users] section of "name=password" lines. Without users the
// database opens without a login as "Admin". Lines starting with ";" or "#"
// are comments; blanks around names and values are ignored.
class DatabaseFile {
public:
    // Throws Refusal when the file is missing, unreadable or not a database.
    static DatabaseFile load(const std::string& path);
    // The same from text already read; `path` only names it.
    static DatabaseFile parse(const std::string& path, const std::string& text);

    const std::string& path() const { return path_; }
    const std::string& name() const { return name_; }
    bool hasUsers() const { return !users_.empty(); }
    // The user's name as the database spells it when the password is right.
    // Names compare without regard to case, passwords exactly.
    std::optional<std::string> logIn(const std::string& userName,
                                     const std::string& password) const;

private:
    const std::string* passwordOf(const std::string& userName) const;

    struct User {
        std::string name;
        std::string password;
    };
    std::string path_;
    std::string name_;
    std::vector<User> users_;
};

} // namespace standin::core
