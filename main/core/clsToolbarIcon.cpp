#include "main/core/clsToolbarIcon.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "base/Utf8Path.h"
#include "main/core/Program.h"
#include "platform/Shell.h"

#include <filesystem>
#include <fstream>

namespace vm {

namespace {

constexpr Procedure kGetACTLocation{"clsToolbarIcon", "Property Get", "GetACTLocation"};
// The desktop is asked about a file of the host's database type, and only
// an existing file can be asked about. Its text does not matter.
constexpr std::string_view kScratchName = "test.dbf";
constexpr std::string_view kScratchText = "test";

} // namespace

std::string clsToolbarIcon::GetACTLocation() const {
    return guarded(kGetACTLocation, std::string(), [&] {
        const std::string scratch = program_.programFile(std::string(kScratchName));
        const std::filesystem::path scratchPath = utf8::toPath(scratch);
        std::ofstream out(scratchPath, std::ios::binary | std::ios::trunc);
        out << kScratchText;
        out.close();
        if (!out)
            throw Failure(err::kFileAccess, "Unable to write " + scratch);
        const FileProgram found = program_.shell.programFor(scratch);
        std::filesystem::remove(scratchPath);
        switch (found.status) {
        case FileProgram::Status::Found:
            return found.path;
        case FileProgram::Status::NoneRegistered:
            return std::string(kNoProgram);
        case FileProgram::Status::Failed:
            break;
        }
        return std::string();
    });
}

} // namespace vm
