#pragma once

#include <memory>
#include <string>

namespace vm {

// Held for the life of the process; a second process of the same user asking
// for the same name is refused. The operating system drops the claim when
// the process ends, however it ends.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only one holding `name`.
    virtual bool claim(const std::string& name) = 0;
};

std::unique_ptr<SingleInstance> makeSingleInstance();

} // namespace vm
