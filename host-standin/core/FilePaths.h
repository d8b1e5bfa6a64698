#pragma once

#include <filesystem>
#include <string>

namespace standin::core {

// The host's text is UTF-8; a path built from a plain std::string would be
// read in the ANSI code page instead, so every path goes through these.
std::filesystem::path pathOf(const std::string& utf8);
std::string textOf(const std::filesystem::path& path);

// The path made absolute, as the host reports an open database.
std::string absolutePath(const std::string& utf8);
// The file name without its last extension.
std::string baseName(const std::string& utf8);
bool isFile(const std::string& utf8);

} // namespace standin::core
