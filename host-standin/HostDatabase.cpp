#include "HostDatabase.h"

#include "Refusal.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace standin {

namespace {

// Real database files are a few lines; anything much larger is not ours.
constexpr qint64 kMaxFileSize = 1024 * 1024;

QString readDatabaseFile(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty())
        throw Refusal(QStringLiteral("No database file was given."));
    if (!info.exists())
        throw Refusal(QStringLiteral("The database file %1 does not exist.").arg(path));
    if (!info.isFile())
        throw Refusal(QStringLiteral("%1 is not a database file.").arg(path));
    if (info.size() > kMaxFileSize)
        throw Refusal(QStringLiteral("%1 is not a host database.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Refusal(QStringLiteral("The database file %1 cannot be read: %2.")
                          .arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

} // namespace

HostDatabase HostDatabase::load(const QString& path) {
    HostDatabase db;
    db.path_ = QFileInfo(path).absoluteFilePath();
    const QString text = readDatabaseFile(path);
    const auto notADatabase = [&](const QString& why) {
        return Refusal(QStringLiteral("%1 is not a host database: %2.").arg(path, why));
    };

    bool marked = false;
    QString section;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            marked = marked || section == QLatin1String("database");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            throw notADatabase(QStringLiteral("the line \"%1\" is neither a section nor a value")
                                   .arg(line.left(40)));
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (section == QLatin1String("database") &&
            key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
            db.name_ = value;
        } else if (section == QLatin1String("users")) {
            if (key.isEmpty())
                throw notADatabase(QStringLiteral("a user has no name"));
            if (db.knows(key))
                throw notADatabase(QStringLiteral("the user %1 is listed twice").arg(key));
            db.users_.append({key, value});
        }
    }
    if (!marked)
        throw notADatabase(QStringLiteral("it has no [Database] section"));
    if (db.name_.isEmpty())
        db.name_ = QFileInfo(path).completeBaseName();
    return db;
}

bool HostDatabase::knows(const QString& userName) const {
    return std::any_of(users_.begin(), users_.end(), [&](const User& user) {
        return user.name.compare(userName, Qt::CaseInsensitive) == 0;
    });
}

std::optional<QString> HostDatabase::logIn(const QString& userName, const QString& password) const {
    for (const User& user : users_) {
        if (user.name.compare(userName, Qt::CaseInsensitive) == 0 && user.password == password)
            return user.name;
    }
    return std::nullopt;
}

} // namespace standin
