#include "logon/StandardErrorPrompter.h"

#include <iostream>
#include <syslog.h>

namespace vm::logon {

StandardErrorPrompter::StandardErrorPrompter() {
    openlog("logon", LOG_PID, LOG_USER);
}

StandardErrorPrompter::~StandardErrorPrompter() {
    closelog();
}

void StandardErrorPrompter::record(std::string_view caption, const std::string& lines,
                                   const std::string& oneLine) {
    std::cerr << caption << ":\n" << lines << std::endl;
    syslog(LOG_ERR, "%.*s: %s", static_cast<int>(caption.size()), caption.data(), oneLine.c_str());
}

} // namespace vm::logon
