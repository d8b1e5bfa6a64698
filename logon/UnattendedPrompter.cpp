#include "logon/UnattendedPrompter.h"

#include <algorithm>

namespace vm::logon {

Prompter::Answer UnattendedPrompter::ask(std::string_view text, std::string_view caption,
                                         Buttons buttons, Icon) {
    std::string lines(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::string oneLine(text);
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    record(caption, lines, oneLine);
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

} // namespace vm::logon
