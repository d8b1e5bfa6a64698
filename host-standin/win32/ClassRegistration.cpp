#include "ClassRegistration.h"

namespace standin::win {

namespace {

const std::wstring kClasses = L"Software\\Classes\\";

HRESULT fromStatus(LONG status) {
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

} // namespace

HRESULT setClassesValue(const std::wstring& key, const std::wstring& name,
                        const std::wstring& value) {
    HKEY handle = nullptr;
    LONG status = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        return fromStatus(status);
    status = ::RegSetValueExW(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
    return fromStatus(status);
}

std::wstring classesValue(const std::wstring& key) {
    wchar_t value[MAX_PATH * 2] = L"";
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str(), nullptr, RRF_RT_REG_SZ,
                       nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

HRESULT removeClassesKey(const std::wstring& key) {
    const LONG status = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : fromStatus(status);
}

HRESULT registerClass(const ClassEntry& entry) {
    const std::wstring classKey = L"CLSID\\" + entry.clsid;
    const std::wstring serverKey = classKey + L"\\" + entry.serverKey;
    FirstFailure step;
    const auto set = [&](const std::wstring& key, const std::wstring& name,
                         const std::wstring& value) { step(setClassesValue(key, name, value)); };
    set(classKey, L"", entry.description);
    set(serverKey, L"", entry.serverCommand);
    if (!entry.threadingModel.empty())
        set(serverKey, L"ThreadingModel", entry.threadingModel);
    set(classKey + L"\\ProgID", L"", entry.progId);
    set(entry.progId, L"", entry.description);
    set(entry.progId + L"\\CLSID", L"", entry.clsid);
    return step.result;
}

HRESULT unregisterClass(const ClassEntry& entry) {
    FirstFailure step;
    step(removeClassesKey(L"CLSID\\" + entry.clsid));
    // Another program may have taken the ProgID over since; that one stays.
    if (::lstrcmpiW(classesValue(entry.progId + L"\\CLSID").c_str(), entry.clsid.c_str()) == 0)
        step(removeClassesKey(entry.progId));
    return step.result;
}

std::wstring modulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace standin::win
