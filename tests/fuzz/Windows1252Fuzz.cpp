// Windows-1252 and UTF-8: every byte string survives the round trip, and
// UTF-8 is either refused or converted back to itself.
#include "settings/SettingsFileEncoding.h"
#include "settings/Windows1252.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (vm::windows1252::fromUtf8(vm::windows1252::toUtf8(bytes)) != bytes)
        std::abort();
    if (const auto ansi = vm::windows1252::fromUtf8(bytes);
        ansi && vm::windows1252::toUtf8(*ansi) != bytes)
        std::abort();
    // A settings file in any encoding is written back as it was read.
    const vm::SettingsFileText text(bytes);
    if (const auto again = text.encode(text.ansi());
        again && text.encoding() == vm::SettingsFileText::Encoding::Ansi && *again != bytes)
        std::abort();
    return 0;
}
