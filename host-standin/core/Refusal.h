#pragma once

#include <stdexcept>
#include <string>

namespace standin::core {

// The D-Bus error name the Linux host answers a refusal with, and the name
// both hosts' journals record a refusal under.
inline constexpr const char* kRefusedError = "org.velmaris.HostStandin.Error.Refused";

// An automation request the host turns down; the UTF-8 text goes back to the
// caller as the exception's description.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const std::string& why) : std::runtime_error(why) {}
};

} // namespace standin::core
