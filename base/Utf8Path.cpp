#include "base/Utf8Path.h"

namespace vm::utf8 {

std::filesystem::path toPath(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string fromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace vm::utf8
