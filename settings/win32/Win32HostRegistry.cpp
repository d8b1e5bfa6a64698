#include "settings/win32/Win32HostRegistry.h"

#include "platform/win32/AnsiText.h"
#include "platform/win32/RegistryKey.h"

#include <windows.h>

#include <cstring>

namespace vm {

namespace {

using Key = win32::RegistryKey;

// The only root the callers name is the current user's.
HKEY rootKey(RegistryRoot) {
    return HKEY_CURRENT_USER;
}

bool open(RegistryRoot root, std::string_view keyPath, REGSAM access, Key& key) {
    const std::optional<std::string> path = win32::toAnsi(keyPath);
    // An empty path would open the root itself.
    return path && !path->empty() &&
           ::RegOpenKeyExA(rootKey(root), path->c_str(), 0, access, key.out()) == ERROR_SUCCESS;
}

bool create(RegistryRoot root, std::string_view keyPath, Key& key) {
    const std::optional<std::string> path = win32::toAnsi(keyPath);
    return path && !path->empty() &&
           ::RegCreateKeyExA(rootKey(root), path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE, nullptr, key.out(), nullptr) == ERROR_SUCCESS;
}

} // namespace

bool Win32HostRegistry::keyExists(RegistryRoot root, std::string_view keyPath) {
    Key key;
    return open(root, keyPath, KEY_READ, key);
}

bool Win32HostRegistry::createKey(RegistryRoot root, std::string_view keyPath) {
    Key key;
    return create(root, keyPath, key);
}

bool Win32HostRegistry::writeValue(RegistryRoot root, std::string_view keyPath,
                                   std::string_view name, const RegistryData& data) {
    const std::optional<std::string> valueName = win32::toAnsi(name);
    Key key;
    if (!valueName || !create(root, keyPath, key))
        return false;
    if (const auto* number = std::get_if<std::uint32_t>(&data)) {
        const DWORD dword = *number;
        return ::RegSetValueExA(key.get(), valueName->c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&dword),
                                sizeof dword) == ERROR_SUCCESS;
    }
    const std::optional<std::string> text = win32::toAnsi(std::get<std::string>(data));
    // REG_SZ ends in its NUL, which the size counts; a NUL inside would cut it.
    if (!text || text->find('\0') != std::string::npos)
        return false;
    return ::RegSetValueExA(key.get(), valueName->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text->c_str()),
                            static_cast<DWORD>(text->size() + 1)) == ERROR_SUCCESS;
}

std::optional<RegistryData>
Win32HostRegistry::readValue(RegistryRoot root, std::string_view keyPath, std::string_view name) {
    const std::optional<std::string> valueName = win32::toAnsi(name);
    Key key;
    if (!valueName || !open(root, keyPath, KEY_QUERY_VALUE, key))
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), valueName->c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string bytes(size, '\0');
    if (::RegQueryValueExA(key.get(), valueName->c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, bytes.data(), sizeof number);
        return RegistryData(std::uint32_t{number});
    }
    if (type != REG_SZ)
        return std::nullopt;
    // The stored terminator is not part of the text; a value written
    // without one has none to drop.
    if (const std::size_t end = bytes.find('\0'); end != std::string::npos)
        bytes.resize(end);
    return RegistryData(win32::fromAnsi(bytes));
}

bool Win32HostRegistry::deleteValue(RegistryRoot root, std::string_view keyPath,
                                    std::string_view name) {
    const std::optional<std::string> valueName = win32::toAnsi(name);
    if (!valueName)
        return false;
    Key key;
    if (!open(root, keyPath, KEY_SET_VALUE, key))
        return !keyExists(root, keyPath);
    const LSTATUS status = ::RegDeleteValueA(key.get(), valueName->c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace vm
