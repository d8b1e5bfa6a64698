#include "platform/Paths.h"

#include <filesystem>

#include <unistd.h>

namespace vm {

bool pathExists(const std::string& path) {
    if (path.empty())
        return false;
    // Paths are UTF-8 inside the program, whatever the system's code page.
    const std::u8string utf8(path.begin(), path.end());
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(utf8), error);
}

bool canCreateFilesIn(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_directory(std::u8string(folder.begin(), folder.end()), error) &&
           ::access(folder.c_str(), W_OK) == 0;
}

} // namespace vm
