#pragma once

#include <string>

namespace vm::modFolderFileExists {

// True when the path names an existing file or folder.
bool FileExists(const std::string& path);

} // namespace vm::modFolderFileExists
