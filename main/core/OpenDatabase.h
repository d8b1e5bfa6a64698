#pragma once

#include <string>

namespace vm {

// Opens a database of the list in the running host with its own settings.
class OpenDatabase {
public:
    virtual ~OpenDatabase() = default;
    // `view` 0 to 6 as the "Open in" choices; returns only when the program
    // does not end.
    virtual void Open_DB(const std::string& sDBToOpen, int iView, bool bFromQuickSwitch) = 0;
};

} // namespace vm
