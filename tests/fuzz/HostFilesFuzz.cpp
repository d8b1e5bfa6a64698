// The stand-in hosts' database-file and profile readers over any bytes.
#include "FuzzFile.h"

#include "host-standin/core/DatabaseFile.h"
#include "host-standin/core/Profile.h"
#include "host-standin/core/Refusal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = vm::fuzz::scratchFile("host-file");
    vm::test::writeBytes(path, bytes);
    try {
        const auto database = standin::core::DatabaseFile::load(path);
        (void)database.logIn("alice", "x");
    } catch (const standin::core::Refusal&) {
    }
    std::string problem;
    (void)standin::core::ProfileFile(path).load(problem);
    return 0;
}
