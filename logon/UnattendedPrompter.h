#pragma once

#include "base/Prompter.h"

#include <string>

namespace vm::logon {

// logon shows no window, which could take the focus from the login window,
// and nobody is there to answer: every question takes its first choice, and
// the text goes where it is found when no terminal watched the program start.
class UnattendedPrompter : public Prompter {
public:
    Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
               Icon icon) override;

protected:
    // The message, once with its lines each ended by a line feed (a report's
    // lines end in a carriage return alone, which a terminal would use to
    // write over the line) and once on a single line, for a log.
    virtual void record(std::string_view caption, const std::string& lines,
                        const std::string& oneLine) = 0;
};

} // namespace vm::logon
