#pragma once

#include <optional>
#include <string>
#include <string_view>

// The program's text is UTF-8; these are the two steps every conversion
// needs.
namespace vm::utf8 {

void append(std::string& out, char32_t c);

// Decodes the character at `pos` and moves past it; nullopt, leaving `pos`
// where it was, for a malformed sequence: overlong forms, UTF-16 surrogates,
// code points above U+10FFFF and cut sequences.
std::optional<char32_t> decode(std::string_view text, std::size_t& pos);

} // namespace vm::utf8
