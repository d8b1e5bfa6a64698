#pragma once

#include "base/Prompter.h"

namespace vm {

// Message boxes of the desktop, modal to the window they arise from.
class QtPrompter : public Prompter {
public:
    Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
               Icon icon) override;
};

} // namespace vm
