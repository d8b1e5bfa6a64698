#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are made from the program's UTF-8 text through these: on Windows a
// path made from a plain std::string reads it in the ANSI code page, so a
// folder named with "ü" would become another folder.
namespace vm::utf8 {

std::filesystem::path toPath(std::string_view text);
std::string fromPath(const std::filesystem::path& path);

} // namespace vm::utf8
