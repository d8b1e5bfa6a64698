#include "main/core/PrefLocations.h"

#include "base/FailureReport.h"
#include "main/core/CheckedWrites.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"

#include "Version.h"

namespace vm {

namespace {

Procedure handler(std::string_view name) {
    return {"frmPrefLocations", "Sub", name};
}

} // namespace

PrefLocations::PrefLocations(Program& program) : program_(program) {}

void PrefLocations::Form_Load() {
    guarded(handler("Form_Load"), [&] {
        const std::string& name = program_.currentDatabaseName;
        for (const schema::FileType& type : schema::kFileTypes)
            rows_[type.index] = name.empty()
                                    ? std::string()
                                    : program_.ini.GetKeyValue(name, std::string(type.key), "");
    });
}

std::string PrefLocations::label(int row) const {
    return program_.lang[schema::kFileTypes[row].labelText];
}

void PrefLocations::setFolder(int row, const std::string& folder) {
    rows_[row] = folder;
}

void PrefLocations::cmdClear_Click(int row) {
    guarded(handler("cmdClear_Click"), [&] {
        const Prompter::Answer answer = program_.prompter.ask(
            program_.lang[txt::kConfirmClearLocation] + label(row) + "?", kProgramTitle,
            Prompter::Buttons::YesNo, Prompter::Icon::Question);
        if (answer != Prompter::Answer::Yes)
            return;
        deleteKey(program_.ini, program_.currentDatabaseName, schema::kFileTypes[row].key);
        rows_[row].clear();
    });
}

bool PrefLocations::cmdOK_Click(const std::string& nameInProperties) {
    return guarded(handler("cmdOK_Click"), false, [&] {
        for (const schema::FileType& type : schema::kFileTypes)
            setKey(program_.ini, nameInProperties, type.key, rows_[type.index]);
        return true;
    });
}

} // namespace vm
