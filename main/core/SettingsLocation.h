#pragma once

#include <string>

namespace vm {

struct Program;

// Where this user's settings file is: the location dialog's checks and what
// its OK stores.
class SettingsLocation {
public:
    SettingsLocation(Program& program, bool& bChanged);

    // The path in use, which the dialog shows first.
    std::string Form_Load();
    // The folder the file picker starts in for the path typed so far.
    std::string browseFolder(const std::string& typed) const;
    // False, after saying why, when the dialog must stay open.
    bool cmdOK_Click(const std::string& typed);

private:
    Program& program_;
    bool& bChanged_;
    std::string loaded_;
};

} // namespace vm
