#include "main/core/Program.h"

#include "platform/Paths.h"

#include "Version.h"

namespace vm {

CurrentDatabase readCurrentDatabase(IniLib& ini, const std::string& name) {
    return {ini.GetKeyValue(name, std::string(schema::kPath), ""),
            ini.GetKeyValue(name, std::string(schema::kContactLayout), ""),
            ini.GetKeyValue(name, std::string(schema::kGroupLayout), ""),
            ini.GetKeyValue(name, std::string(schema::kStartupMacro), "")};
}

void Program::tell(const std::string& text, Prompter::Icon icon) const {
    prompter.tell(text, kProgramTitle, icon);
}

std::string Program::programFile(const std::string& name) const {
    return programFolder + kPathSeparator + name;
}

} // namespace vm
