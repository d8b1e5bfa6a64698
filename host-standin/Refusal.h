#pragma once

#include <QString>

#include <stdexcept>

namespace standin {

// An automation request the host turns down; the text goes back to the caller.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const QString& why) : std::runtime_error(why.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace standin
