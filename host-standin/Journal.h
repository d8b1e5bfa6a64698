#pragma once

#include "host-standin/core/Journal.h"

#include <QString>
#include <QVariantList>

namespace standin {

// The core's journal (HOST_STANDIN_JOURNAL) for the bus objects, whose
// arguments and results come as Qt values.
class Journal {
public:
    static constexpr const char* kVariable = core::Journal::kVariable;
    static Journal fromEnvironment();
    explicit Journal(const QString& path = QString()) : core_(path.toStdString()) {}

    const core::Journal& core() const { return core_; }
    void recordResult(const QString& object, const QString& member, const QVariantList& args,
                      const QVariant& result) const;
    // Recorded with the error name every refusal goes back with.
    void recordError(const QString& object, const QString& member, const QVariantList& args,
                     const QString& message) const;

    // As the journal writes a Qt value: an object path as its text.
    static core::Json toJson(const QVariant& value);

private:
    core::Journal core_;
};

} // namespace standin
