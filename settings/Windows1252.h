#pragma once

#include <optional>
#include <string>
#include <string_view>

// The settings file is ANSI text in code page 1252; the program works in
// UTF-8. These conversions sit at that boundary.
namespace vm::windows1252 {

// Every byte 0-255 has a character: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same
// number, as Windows' own conversion does, so any byte string survives a
// round trip.
std::string toUtf8(std::string_view bytes);

// nullopt when the text is not valid UTF-8 or holds a character that the code
// page cannot represent: nothing is ever replaced by a look-alike or "?".
std::optional<std::string> fromUtf8(std::string_view utf8);

// Name comparison without regard to letter case: ASCII letters and the
// letters of the code page (À-Þ/à-þ except × and ÷, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace vm::windows1252
