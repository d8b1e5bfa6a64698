#pragma once

#include <string>
#include <string_view>

// The password cipher both programs share: a byte-wise additive cipher with a
// repeating key. Text and result are Windows-1252 byte strings (codes 0-255);
// the key is upper-cased and never empty in practice (the program's title).
namespace vm::modEnCrypt {

std::string EncryptText(const std::string& text, std::string key);
std::string DecryptText(const std::string& text, std::string key);

// The key both programs use; it is also the per-user store's application name.
inline constexpr std::string_view kCipherKey = "Velmaris";

} // namespace vm::modEnCrypt
