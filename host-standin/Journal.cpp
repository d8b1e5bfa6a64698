#include "Journal.h"

#include <QDBusObjectPath>

namespace standin {

namespace {

core::Json::Array arrayOf(const QVariantList& args) {
    core::Json::Array array;
    for (const QVariant& arg : args)
        array.push_back(Journal::toJson(arg));
    return array;
}

} // namespace

Journal Journal::fromEnvironment() {
    return Journal(qEnvironmentVariable(kVariable));
}

core::Json Journal::toJson(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return nullptr;
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return static_cast<std::int64_t>(value.toLongLong());
    default:
        break;
    }
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path().toStdString();
    return value.toString().toStdString();
}

void Journal::recordResult(const QString& object, const QString& member, const QVariantList& args,
                           const QVariant& result) const {
    core_.recordResult(object.toStdString(), member.toStdString(), arrayOf(args), toJson(result));
}

void Journal::recordError(const QString& object, const QString& member, const QVariantList& args,
                          const QString& message) const {
    core_.recordError(object.toStdString(), member.toStdString(), arrayOf(args),
                      message.toStdString());
}

} // namespace standin
