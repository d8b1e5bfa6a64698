// The memory one key's write costs on the largest settings file taken
// (64 MB), for a file of ordinary lines and one of empty lines, the worst
// case for the line index. Prints the peak resident size of each write as a
// multiple of the file's size; each shape runs in a process of its own.
//
//   SettingsWriteMemory lines|newlines <folder>
#include "platform/LockedFile.h"
#include "settings/IniLib.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const std::string shape = argv[1];
    const std::string path = std::string(argv[2]) + "/Velmaris.ini";
    const std::size_t size = vm::kLargestSettingsFile - 1024;
    {
        // Written piece by piece, so that making it costs no memory.
        std::ofstream file(path, std::ios::binary);
        std::size_t written = 0;
        for (int n = 0; written + 64 < size; ++n) {
            const std::string piece = shape == "newlines" ? std::string(64, '\n')
                                                          : "[Database" + std::to_string(n) +
                                                                "]\r\nPath=/data/db.dbf\r\n";
            file << piece;
            written += piece.size();
        }
    }
    const long before = peakKilobytes();
    vm::IniLib ini;
    ini.sIniPath = path;
    if (!ini.SetKeyValue("General", "Key", "value"))
        return 1;
    const double file = static_cast<double>(size) / 1024.0;
    std::printf("%s: peak %.1f MB for a %.1f MB file (%.2f times; %.2f before the write)\n",
                shape.c_str(), static_cast<double>(peakKilobytes()) / 1024.0, file / 1024.0,
                static_cast<double>(peakKilobytes()) / file, static_cast<double>(before) / file);
    return 0;
}
