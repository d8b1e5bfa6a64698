#pragma once

#include <stdexcept>
#include <string>

namespace standin::core {

// An automation request the host turns down; the UTF-8 text goes back to the
// caller as the exception's description.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const std::string& why) : std::runtime_error(why) {}
};

} // namespace standin::core
