// The settings-file reader over any bytes, and edits checked against how
// Windows reads a value back: any wrong result is made a crash.
#include "FuzzFile.h"

#include "settings/IniLib.h"
#include "settings/Windows1252.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

// Blanks (space, tab, vertical tab) around the value trimmed, one pair of
// outer quotes removed, cut to 998 characters of the code page: Windows'
// reading of a value line.
std::string asWindowsReadsIt(const std::string& utf8) {
    std::string value = vm::windows1252::fromUtf8(utf8).value();
    const auto first = value.find_first_not_of(" \t\v");
    value = first == std::string::npos
                ? ""
                : value.substr(first, value.find_last_not_of(" \t\v") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return vm::windows1252::toUtf8(value.substr(0, 998));
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string path = vm::fuzz::scratchFile("Velmaris.ini");
    vm::test::writeBytes(path, input.ConsumeRandomLengthString(4096));
    vm::IniLib ini;
    ini.sIniPath = path;
    for (const std::string& section : ini.Extract_Sections())
        (void)ini.GetKeyValues(section, {"Path", "CLY", "GLY", "Macro"});
    while (input.remaining_bytes() > 0) {
        const std::string section = input.ConsumeRandomLengthString(16);
        const std::string key = input.ConsumeRandomLengthString(16);
        const std::string before = vm::test::readBytes(path);
        switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const std::string value = input.ConsumeRandomLengthString(1100);
            if (ini.SetKeyValue(section, key, value)) {
                const std::string expected = asWindowsReadsIt(value);
                check(ini.GetKeyValue(section, key, "<default>") ==
                      (expected.empty() ? "<default>" : expected));
            } else {
                check(vm::test::readBytes(path) == before);
            }
            break;
        }
        case 1: {
            // Of duplicate keys only the first goes, as in Windows: what is
            // promised is that a key that was there changed the file.
            const bool present = ini.GetKeyValue(section, key, "<default>") != "<default>";
            const bool deleted = ini.DeleteKey(section, key);
            if (!deleted)
                check(vm::test::readBytes(path) == before);
            else if (present)
                check(vm::test::readBytes(path) != before);
            break;
        }
        default:
            if (!ini.DeleteSection(section))
                check(vm::test::readBytes(path) == before);
        }
    }
    return 0;
}
