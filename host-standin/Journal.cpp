#include "Journal.h"

#include <QDBusObjectPath>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace standin {

namespace {

QJsonValue toJson(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return QJsonValue::fromVariant(value);
}

QJsonObject entry(const QString& object, const QString& member, const QVariantList& args) {
    QJsonArray jsonArgs;
    for (const QVariant& arg : args)
        jsonArgs.append(toJson(arg));
    return {{"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
            {"object", object},
            {"member", member},
            {"args", jsonArgs}};
}

} // namespace

Journal Journal::fromEnvironment() {
    return Journal(qEnvironmentVariable(kVariable));
}

void Journal::recordResult(const QString& object, const QString& member, const QVariantList& args,
                           const QVariant& result) const {
    QJsonObject e = entry(object, member, args);
    e.insert("result", toJson(result));
    append(e);
}

void Journal::recordError(const QString& object, const QString& member, const QVariantList& args,
                          const QString& errorName, const QString& message) const {
    QJsonObject e = entry(object, member, args);
    e.insert("error", QJsonObject{{"name", errorName}, {"message", message}});
    append(e);
}

void Journal::append(QJsonObject entry) const {
    if (path_.isEmpty())
        return;
    QFile file(path_);
    // One write per line, appended: a reader never sees half an entry.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace standin
