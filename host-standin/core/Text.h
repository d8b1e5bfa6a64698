#pragma once

#include <string>
#include <string_view>

namespace standin::core {

// The host's rules for text, UTF-8 in and out, as Qt's QString applies them:
// the Linux host was written with it, and both hosts must take and turn down
// the same names and lines. Bytes that are no UTF-8 count as ordinary
// characters.

// White space as QChar::isSpace has it, Unicode's as well as ASCII's.
bool isBlank(std::string_view text);
std::string trimmed(std::string_view text);
// Not blank and free of control characters (Unicode's category Cc).
bool isCleanName(std::string_view name);
// At most `count` characters of `text`.
std::string firstCharacters(std::string_view text, std::size_t count);

} // namespace standin::core
