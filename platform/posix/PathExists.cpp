#include "platform/Paths.h"

#include "base/Utf8Path.h"

#include <filesystem>

#include <unistd.h>

namespace vm {

bool pathExists(const std::string& path) {
    if (path.empty())
        return false;
    std::error_code error;
    return std::filesystem::exists(utf8::toPath(path), error);
}

bool canCreateFilesIn(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_directory(utf8::toPath(folder), error) &&
           ::access(folder.c_str(), W_OK) == 0;
}

} // namespace vm
