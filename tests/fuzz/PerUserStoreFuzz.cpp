// The per-user store's escaping and its file reader: escaping is undone
// exactly for any bytes, and a value written is read back.
#include "FuzzFile.h"

#include "settings/PerUserStore.h"
#include "settings/StoreEscaping.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string raw = input.ConsumeRandomLengthString(512);
    if (vm::store_escaping::unescape(vm::store_escaping::escapeValue(raw)) != raw ||
        vm::store_escaping::unescape(vm::store_escaping::escapeName(raw)) != raw)
        std::abort();
    const std::string path = vm::fuzz::scratchFile("Velmaris.conf");
    vm::test::writeBytes(path, input.ConsumeRandomLengthString(4096));
    auto store = vm::FilePerUserStore::atPath(path);
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    (void)store.GetSetting(section, key);
    const std::string before = vm::test::readBytes(path);
    if (!store.SaveSetting(section, key, raw)) {
        if (vm::test::readBytes(path) != before)
            std::abort();
    } else if (store.GetSetting(section, key, "<default>") != (raw.empty() ? "<default>" : raw)) {
        std::abort(); // any bytes are taken as they are
    }
    return 0;
}
