#pragma once

#include <string>
#include <string_view>

namespace vm::store_escaping {

// The per-user store keeps byte strings in profile syntax. Anything a
// profile line would lose or misread (control bytes, backslash, bytes that
// are not UTF-8, blanks and quotes at either end, and in names "[", "]", "="
// and ";") is written as \xHH, so every byte 0-255 reads back as written.
std::string escapeValue(std::string_view raw);
std::string escapeName(std::string_view raw);
std::string unescape(std::string_view escaped);

} // namespace vm::store_escaping
