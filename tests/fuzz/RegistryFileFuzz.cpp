// The host-registry file's reader and writer over any bytes: a value set is
// read back, and a refused key path leaves the file as it was.
#include "FuzzFile.h"

#include "settings/RegistryFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string path = vm::fuzz::scratchFile("HKEY_CURRENT_USER.reg");
    vm::test::writeBytes(path, input.ConsumeRandomLengthString(4096));
    vm::RegistryFile file(path);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRandomLengthString(32);
    (void)file.keyExists(key);
    (void)file.value(key, name);
    const vm::RegistryData written = input.ConsumeBool()
                                         ? vm::RegistryData(input.ConsumeIntegral<std::uint32_t>())
                                         : vm::RegistryData(input.ConsumeRandomLengthString(256));
    const std::string before = vm::test::readBytes(path);
    if (file.setValue(key, name, written)) {
        if (file.value(key, name) != written || !file.keyExists(key))
            std::abort();
    } else if (vm::test::readBytes(path) != before) {
        std::abort();
    }
    return 0;
}
