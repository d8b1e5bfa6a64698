#include "WinUserRegistry.h"

#include "platform/win32/AnsiText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace standin::win {

namespace {

// The value's bytes when it exists with the given type.
std::optional<std::vector<char>> read(std::string_view key, std::string_view name,
                                      std::initializer_list<DWORD> types) {
    const std::optional<std::string> ansiKey = vm::win32::toAnsi(key);
    const std::optional<std::string> ansiName = vm::win32::toAnsi(name);
    if (!ansiKey || !ansiName)
        return std::nullopt;
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, ansiKey->c_str(), 0, KEY_QUERY_VALUE, &handle) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::vector<char> bytes;
    LONG status = ::RegQueryValueExA(handle, ansiName->c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        bytes.resize(size + 1);
        status = ::RegQueryValueExA(handle, ansiName->c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(bytes.data()), &size);
        bytes.resize(size);
    }
    ::RegCloseKey(handle);
    bool wanted = false;
    for (DWORD t : types)
        wanted = wanted || t == type;
    if (status != ERROR_SUCCESS || !wanted)
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<std::string> WinUserRegistry::text(std::string_view key,
                                                 std::string_view name) const {
    const auto bytes = read(key, name, {REG_SZ, REG_EXPAND_SZ});
    if (!bytes)
        return std::nullopt;
    std::string ansi(bytes->begin(), bytes->end());
    // The stored value may or may not carry its terminating zero.
    ansi.resize(ansi.find('\0') == std::string::npos ? ansi.size() : ansi.find('\0'));
    return vm::win32::fromAnsi(ansi);
}

std::optional<std::uint32_t> WinUserRegistry::number(std::string_view key,
                                                     std::string_view name) const {
    const auto bytes = read(key, name, {REG_DWORD});
    if (!bytes || bytes->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, bytes->data(), sizeof value);
    return value;
}

} // namespace standin::win
