// The settings-file reader over any bytes, and edits checked against how
// Windows reads a value back: any wrong result is made a crash.
#include "FuzzFile.h"

#include "settings/IniLib.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

// Blanks around the value trimmed, one pair of outer quotes removed, cut to
// 998 characters: Windows' reading of a value line.
std::string asWindowsReadsIt(std::string value) {
    const auto first = value.find_first_not_of(" \t");
    value = first == std::string::npos
                ? ""
                : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value.substr(0, 998);
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string path = vm::fuzz::scratchFile("Velmaris.ini");
    vm::fuzz::writeFile(path, input.ConsumeRandomLengthString(4096));
    vm::IniLib ini;
    ini.sIniPath = path;
    for (const std::string& section : ini.Extract_Sections())
        (void)ini.GetKeyValues(section, {"Path", "CLY", "GLY", "Macro"});
    while (input.remaining_bytes() > 0) {
        const std::string section = input.ConsumeRandomLengthString(16);
        const std::string key = input.ConsumeRandomLengthString(16);
        const std::string before = vm::fuzz::readFile(path);
        switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const std::string value = input.ConsumeRandomLengthString(1100);
            if (ini.SetKeyValue(section, key, value)) {
                const std::string expected = asWindowsReadsIt(value);
                check(ini.GetKeyValue(section, key, "<default>") ==
                      (expected.empty() ? "<default>" : expected));
            } else {
                check(vm::fuzz::readFile(path) == before);
            }
            break;
        }
        case 1:
            if (ini.DeleteKey(section, key))
                check(ini.GetKeyValue(section, key, "<default>") == "<default>");
            else
                check(vm::fuzz::readFile(path) == before);
            break;
        default:
            if (!ini.DeleteSection(section))
                check(vm::fuzz::readFile(path) == before);
        }
    }
    return 0;
}
