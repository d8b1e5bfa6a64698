#include "main/core/Program.h"

#include "base/FailureReport.h"
#include "platform/Paths.h"

#include "Version.h"

namespace vm {

CurrentDatabase readCurrentDatabase(IniLib& ini, const std::string& name) {
    auto values = ini.GetKeyValues(
        name, {std::string(schema::kPath), std::string(schema::kContactLayout),
               std::string(schema::kGroupLayout), std::string(schema::kStartupMacro)});
    return {std::move(values[0]), std::move(values[1]), std::move(values[2]), std::move(values[3])};
}

HostApplication& Program::application(std::source_location where) const {
    if (!app)
        throwObjectNotSet(where);
    return *app;
}

void Program::tell(const std::string& text, Prompter::Icon icon) const {
    prompter.tell(text, kProgramTitle, icon);
}

std::string Program::programFile(const std::string& name) const {
    return programFolder + kPathSeparator + name;
}

} // namespace vm
