#include "platform/win32/AnsiText.h"
#include "settings/SettingsSchema.h"
#include "settings/UserFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace vm {

namespace {

std::wstring wide(std::string_view text) {
    return win32::toWide(text).value_or(std::wstring());
}

} // namespace

// The installer keeps an administrator's choice (its SETTINGSFILE property)
// in the machine's key of the program, under the name of the user's own.
std::string machineSettingsFilePreset() {
    const std::wstring key = L"Software\\" + wide(schema::kApplicationName);
    const std::wstring name = wide(schema::kIniLocation);
    DWORD size = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                       nullptr, &size) != ERROR_SUCCESS ||
        size < sizeof(wchar_t))
        return {};
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                       value.data(), &size) != ERROR_SUCCESS)
        return {};
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return win32::fromWide(value);
}

// ProgramData, where the installer makes the program's folder and lets every
// user of the machine change what is in it.
std::string settingsFolderElsewhere() {
    PWSTR folder = nullptr;
    std::string programData;
    if (::SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK)
        programData = win32::fromWide(folder);
    ::CoTaskMemFree(folder);
    if (programData.empty())
        programData = "C:\\ProgramData";
    return programData + "\\" + std::string(schema::kApplicationName);
}

} // namespace vm
