#include "platform/Paths.h"

#include <filesystem>

namespace vm {

bool pathExists(const std::string& path) {
    if (path.empty())
        return false;
    // Paths are UTF-8 inside the program, whatever the system's code page.
    const std::u8string utf8(path.begin(), path.end());
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(utf8), error);
}

} // namespace vm
