#pragma once
// A scratch file of the fuzz target's own, rewritten for every input.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vm::fuzz {

inline std::string scratchFile(const char* name) {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vm-fuzz-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder + "/" + name;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace vm::fuzz
