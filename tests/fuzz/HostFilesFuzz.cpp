// The stand-in host's database-file and profile readers over any bytes.
#include "FuzzFile.h"

#include "HostDatabase.h"
#include "HostProfile.h"
#include "Refusal.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = vm::fuzz::scratchFile("host-file");
    vm::fuzz::writeFile(path, bytes);
    try {
        const auto database = standin::HostDatabase::load(QString::fromStdString(path));
        (void)database.logIn(QStringLiteral("alice"), QStringLiteral("x"));
    } catch (const standin::Refusal&) {
    }
    QString problem;
    (void)standin::ProfileFile(QString::fromStdString(path)).load(problem);
    return 0;
}
