#pragma once

#include "base/Prompter.h"

namespace vm::logon {

// logon shows no window, which could take the focus from the login window:
// its messages go to standard error and to the system log, where they are
// found when no terminal watched it start.
class StandardErrorPrompter : public Prompter {
public:
    StandardErrorPrompter();
    ~StandardErrorPrompter() override;

    Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
               Icon icon) override;
};

} // namespace vm::logon
