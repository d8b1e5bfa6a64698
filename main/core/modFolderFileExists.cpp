#include "main/core/modFolderFileExists.h"

#include "platform/Paths.h"

namespace vm::modFolderFileExists {

bool FileExists(const std::string& path) {
    return pathExists(path);
}

} // namespace vm::modFolderFileExists
