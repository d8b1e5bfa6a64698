#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace vm::test {

// The stand-in host's journal: its entries in the order written, one JSON
// object a line; none while the file is missing.
inline QList<QJsonObject> journalEntries(const QString& path) {
    QFile file(path);
    QList<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    while (!file.atEnd())
        entries.append(QJsonDocument::fromJson(file.readLine()).object());
    return entries;
}

} // namespace vm::test
