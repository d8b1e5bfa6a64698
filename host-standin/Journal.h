#pragma once

#include <QJsonValue>
#include <QString>
#include <QVariantList>

namespace standin {

// With HOST_STANDIN_JOURNAL naming a file, every automation call the host
// receives and every login attempt is appended to it, one JSON object a line:
//   {"time":"2024-05-01T10:00:00.000Z","object":"/Application","member":"openDB",
//    "args":["/data/sales.dbf"],"result":null}
// or, for a refused call, "error":{"name":...,"message":...} in place of "result".
// Nothing is written when the variable is unset or empty.
class Journal {
public:
    static constexpr const char* kVariable = "HOST_STANDIN_JOURNAL";
    static Journal fromEnvironment();
    explicit Journal(QString path = QString()) : path_(std::move(path)) {}

    void recordResult(const QString& object, const QString& member, const QVariantList& args,
                      const QVariant& result) const;
    void recordError(const QString& object, const QString& member, const QVariantList& args,
                     const QString& errorName, const QString& message) const;

private:
    void append(QJsonObject entry) const;
    QString path_;
};

} // namespace standin
