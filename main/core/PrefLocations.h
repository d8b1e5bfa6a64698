#pragma once

#include "settings/SettingsSchema.h"

#include <array>
#include <string>

namespace vm {

struct Program;

// The default locations dialog's rows: one folder per file type of the
// program's current database, kept here until OK stores them all.
class PrefLocations {
public:
    explicit PrefLocations(Program& program);

    // Fills the rows from the database's own keys (empty when adding).
    void Form_Load();
    const std::array<std::string, schema::kFileTypeCount>& rows() const { return rows_; }
    // The label of a row in the current language.
    std::string label(int row) const;

    void setFolder(int row, const std::string& folder);
    // Asks, and on Yes deletes the stored folder at once.
    void cmdClear_Click(int row);
    // Stores every row under the name now typed in the properties dialog;
    // false, once reported, when the settings file refused.
    bool cmdOK_Click(const std::string& nameInProperties);

private:
    Program& program_;
    std::array<std::string, schema::kFileTypeCount> rows_;
};

} // namespace vm
