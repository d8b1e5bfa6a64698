#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace standin::win {

// COM speaks UTF-16; the host's own text is UTF-8.
std::wstring wideOf(std::string_view utf8);
std::string utf8Of(std::wstring_view wide);
// A new BSTR the receiver frees; empty text is an empty BSTR, not null.
BSTR bstrOf(std::string_view utf8);
// The class identifier in its "{...}" form.
CLSID clsidOf(const char* text);

} // namespace standin::win
