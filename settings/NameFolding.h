#pragma once

#include <string>
#include <string_view>

namespace vm {

// Folds UTF-8 text to lower case for name comparison: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic letters. Bytes that are not valid
// UTF-8 are kept as they are, so any name still compares equal to itself.
std::string foldedUtf8(std::string_view text);

} // namespace vm
