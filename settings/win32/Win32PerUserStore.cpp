#include "settings/win32/Win32PerUserStore.h"

#include "platform/win32/AnsiText.h"
#include "platform/win32/RegistryKey.h"
#include "settings/SettingsSchema.h"

#include <windows.h>

#include <algorithm>

namespace vm {

namespace {

using win32::RegistryKey;

constexpr std::wstring_view kSettingsRoot = L"Software\\VB and VBA Program Settings\\";

std::optional<std::wstring> sectionKey(const std::wstring& applicationKey,
                                       std::string_view section) {
    const std::optional<std::wstring> name = win32::toWide(section);
    // An empty name would address the application's key itself.
    if (!name || name->empty())
        return std::nullopt;
    return applicationKey + L"\\" + *name;
}

// The bytes of a value as read, without what ends a REG_SZ.
std::string bytesOf(DWORD type, std::string bytes, std::size_t unit) {
    if (type == REG_BINARY)
        return bytes;
    std::size_t end = 0;
    while (end + unit <= bytes.size() &&
           std::any_of(bytes.begin() + static_cast<std::ptrdiff_t>(end),
                       bytes.begin() + static_cast<std::ptrdiff_t>(end + unit),
                       [](char c) { return c != '\0'; }))
        end += unit;
    bytes.resize(end);
    return bytes;
}

std::optional<std::string> readRaw(HKEY key, const std::wstring& name, bool ansi) {
    const std::optional<std::string> ansiName =
        ansi ? win32::toAnsi(win32::fromWide(name)) : std::string();
    if (!ansiName)
        return std::nullopt;
    for (;;) {
        DWORD type = 0, size = 0;
        const auto query = [&](BYTE* data) {
            return ansi ? ::RegQueryValueExA(key, ansiName->c_str(), nullptr, &type, data, &size)
                        : ::RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &size);
        };
        if (query(nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        std::string bytes(size, '\0');
        const LONG result = query(reinterpret_cast<BYTE*>(bytes.data()));
        if (result == ERROR_MORE_DATA) // it grew between the two calls
            continue;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_BINARY))
            return std::nullopt;
        bytes.resize(size);
        const std::string value = bytesOf(type, std::move(bytes), ansi ? 1 : sizeof(wchar_t));
        if (type == REG_BINARY || ansi)
            return value;
        return win32::fromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(value.data()),
                                                 value.size() / sizeof(wchar_t)));
    }
}

// Whether the code page turns these bytes into characters and back unchanged.
bool ansiRoundTrips(std::string_view bytes) {
    const std::optional<std::string> again = win32::toAnsi(win32::fromAnsi(bytes));
    return again && *again == bytes;
}

LONG writeString(HKEY key, const std::wstring& name, std::string_view value, bool bytes) {
    if (value.find('\0') == std::string_view::npos) {
        if (bytes && ansiRoundTrips(value)) {
            const std::string text(value);
            const std::optional<std::string> ansiName = win32::toAnsi(win32::fromWide(name));
            if (ansiName)
                return ::RegSetValueExA(key, ansiName->c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(text.c_str()),
                                        static_cast<DWORD>(text.size() + 1));
        }
        const std::optional<std::wstring> text = bytes ? std::nullopt : win32::toWide(value);
        if (text)
            return ::RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(text->c_str()),
                                    static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
    }
    return ::RegSetValueExW(key, name.c_str(), 0, REG_BINARY,
                            reinterpret_cast<const BYTE*>(value.data()),
                            static_cast<DWORD>(value.size()));
}

bool gone(LONG result) {
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

} // namespace

Win32PerUserStore::Win32PerUserStore(std::string_view applicationName,
                                     std::vector<std::string> byteKeys)
    : applicationKey_(std::wstring(kSettingsRoot) +
                      win32::toWide(applicationName).value_or(std::wstring())),
      byteKeys_(std::move(byteKeys)) {}

bool Win32PerUserStore::holdsBytes(std::string_view key) const {
    return std::any_of(byteKeys_.begin(), byteKeys_.end(),
                       [&](const std::string& byteKey) { return sameNameUtf8(byteKey, key); });
}

std::string Win32PerUserStore::GetSetting(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) {
    const std::optional<std::wstring> path = sectionKey(applicationKey_, section);
    const std::optional<std::wstring> name = win32::toWide(key);
    RegistryKey opened;
    if (!path || !name ||
        ::RegOpenKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, KEY_QUERY_VALUE, opened.out()) !=
            ERROR_SUCCESS)
        return std::string(defaultValue);
    const std::optional<std::string> value = readRaw(opened.get(), *name, holdsBytes(key));
    return value && !value->empty() ? *value : std::string(defaultValue);
}

bool Win32PerUserStore::SaveSetting(std::string_view section, std::string_view key,
                                    std::string_view value) {
    const std::optional<std::wstring> path = sectionKey(applicationKey_, section);
    const std::optional<std::wstring> name = win32::toWide(key);
    RegistryKey created;
    return path && name &&
           ::RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_SET_VALUE, nullptr, created.out(), nullptr) == ERROR_SUCCESS &&
           writeString(created.get(), *name, value, holdsBytes(key)) == ERROR_SUCCESS;
}

bool Win32PerUserStore::DeleteSetting(std::string_view section,
                                      std::optional<std::string_view> key) {
    const std::optional<std::wstring> path = sectionKey(applicationKey_, section);
    if (!path)
        return false;
    if (!key)
        return gone(::RegDeleteTreeW(HKEY_CURRENT_USER, path->c_str())) &&
               gone(::RegDeleteKeyW(HKEY_CURRENT_USER, path->c_str()));
    const std::optional<std::wstring> name = win32::toWide(*key);
    RegistryKey opened;
    if (!name)
        return false;
    const LONG open =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, KEY_SET_VALUE, opened.out());
    return open == ERROR_FILE_NOT_FOUND ||
           (open == ERROR_SUCCESS && gone(::RegDeleteValueW(opened.get(), name->c_str())));
}

bool Win32PerUserStore::DeleteAll() {
    return gone(::RegDeleteTreeW(HKEY_CURRENT_USER, applicationKey_.c_str())) &&
           gone(::RegDeleteKeyW(HKEY_CURRENT_USER, applicationKey_.c_str()));
}

std::string Win32PerUserStore::location() const {
    return "HKEY_CURRENT_USER\\" + win32::fromWide(applicationKey_);
}

std::unique_ptr<PerUserStore> openPerUserStore(std::string_view applicationName) {
    return std::make_unique<Win32PerUserStore>(
        applicationName, std::vector<std::string>{std::string(schema::kPassword)});
}

} // namespace vm
