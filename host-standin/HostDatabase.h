#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace standin {

// A host database file. The form is plain text, UTF-8:
//
//   [Database]
//   Name=Sales Team
//   [Users]
//   Alice=wonderland
//   Bob=
//
// The [Database] section marks the file as a host database; Name is what the
// host shows (the file's base name when absent). [Users] lists who may log in,
// one "name=password" a line; a database without users opens without a login
// as "Admin". Lines starting with ";" or "#" are comments; blanks around names
// and values are ignored.
class HostDatabase {
public:
    // Throws Refusal when the file is missing, unreadable or not a database.
    static HostDatabase load(const QString& path);

    const QString& path() const { return path_; }
    const QString& name() const { return name_; }
    bool hasUsers() const { return !users_.isEmpty(); }
    // The user's name as the database spells it when the password is right.
    // Names compare without regard to case, passwords exactly.
    std::optional<QString> logIn(const QString& userName, const QString& password) const;

private:
    bool knows(const QString& userName) const;

    struct User {
        QString name;
        QString password;
    };
    QString path_;
    QString name_;
    QList<User> users_;
};

} // namespace standin
