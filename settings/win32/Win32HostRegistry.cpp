#include "settings/win32/Win32HostRegistry.h"

#include "platform/win32/AnsiText.h"
#include "platform/win32/RegistryKey.h"

#include <windows.h>

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

} // namespace vm
