#pragma once

#include "logon/UnattendedPrompter.h"

namespace vm::logon {

// Messages go to standard error and to the system log.
class StandardErrorPrompter : public UnattendedPrompter {
public:
    StandardErrorPrompter();
    ~StandardErrorPrompter() override;

protected:
    void record(std::string_view caption, const std::string& lines,
                const std::string& oneLine) override;
};

} // namespace vm::logon
