#include "logon/StandardErrorPrompter.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <syslog.h>

namespace vm::logon {

StandardErrorPrompter::StandardErrorPrompter() {
    openlog("logon", LOG_PID, LOG_USER);
}

StandardErrorPrompter::~StandardErrorPrompter() {
    closelog();
}

Prompter::Answer StandardErrorPrompter::ask(std::string_view text, std::string_view caption,
                                            Buttons buttons, Icon) {
    // Lines in a report end in a carriage return alone, which a terminal
    // would use to write over the line.
    std::string lines(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    std::cerr << caption << ":\n" << lines << std::endl;
    std::string oneLine(text);
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    syslog(LOG_ERR, "%.*s: %s", static_cast<int>(caption.size()), caption.data(), oneLine.c_str());
    // Nobody can answer: every question takes its first choice.
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

} // namespace vm::logon
