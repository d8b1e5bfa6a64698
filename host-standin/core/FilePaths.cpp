#include "FilePaths.h"

#include "base/Utf8Path.h"

namespace standin::core {

std::filesystem::path pathOf(const std::string& utf8) {
    return vm::utf8::toPath(utf8);
}

std::string textOf(const std::filesystem::path& path) {
    return vm::utf8::fromPath(path);
}

std::string absolutePath(const std::string& utf8) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(pathOf(utf8), error);
    return error ? utf8 : textOf(absolute.lexically_normal());
}

std::string baseName(const std::string& utf8) {
    return textOf(pathOf(utf8).stem());
}

bool isFile(const std::string& utf8) {
    std::error_code error;
    return std::filesystem::is_regular_file(pathOf(utf8), error);
}

} // namespace standin::core
