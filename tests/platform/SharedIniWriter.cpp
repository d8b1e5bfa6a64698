#include "settings/IniLib.h"

#include <cstdio>
#include <string>

// Sets each KEY=VALUE in SECTION of FILE through the settings code, as
// whichever user runs it. Exits with 1 when any write fails.
int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILE SECTION KEY=VALUE...\n", argv[0]);
        return 2;
    }
    vm::IniLib ini;
    int status = 0;
    for (int i = 3; i < argc; ++i) {
        const std::string assignment = argv[i];
        const auto equals = assignment.find('=');
        if (equals == std::string::npos ||
            !ini.SetKeyValue(argv[2], assignment.substr(0, equals), assignment.substr(equals + 1),
                             argv[1])) {
            std::fprintf(stderr, "could not set %s in %s\n", argv[i], argv[1]);
            status = 1;
        }
    }
    return status;
}
