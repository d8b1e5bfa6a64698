#include "FilePaths.h"

namespace standin::core {

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string textOf(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
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
