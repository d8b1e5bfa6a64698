#include "ServerRegistration.h"

#include "ClassIds.h"
#include "ClassRegistration.h"
#include "ComText.h"
#include "host/com/HostComNames.h"

#include <filesystem>
#include <vector>

namespace standin::win {

namespace {

namespace hostcom = vm::hostcom;

const std::wstring kDatabaseType = L"HostStandin.Database";

std::vector<ClassEntry> serverClasses() {
    const std::wstring command = L"\"" + modulePath(nullptr) + L"\"";
    return {{wideOf(kApplicationClsid), wideOf(hostcom::kApplicationProgId),
             L"Host Stand-in Application", L"LocalServer32", command, L""},
            {wideOf(kAuxCommandsClsid), wideOf(hostcom::kAuxCommandsProgId),
             L"Host Stand-in Auxiliary Commands", L"LocalServer32", command, L""}};
}

// Calls DllRegisterServer or DllUnregisterServer of the event control.
HRESULT callEventControl(const char* function) {
    const std::filesystem::path dll =
        std::filesystem::path(modulePath(nullptr)).replace_filename(L"actevent.dll");
    HMODULE module = ::LoadLibraryW(dll.c_str());
    if (!module)
        return HRESULT_FROM_WIN32(::GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto entry =
        reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(::GetProcAddress(module, function)));
    const HRESULT result = entry ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    ::FreeLibrary(module);
    return result;
}

} // namespace

HRESULT registerServer() {
    FirstFailure step;
    for (const ClassEntry& entry : serverClasses())
        step(registerClass(entry));
    step(setClassesValue(L".dbf", L"", kDatabaseType));
    step(setClassesValue(kDatabaseType, L"", L"Host Stand-in Database"));
    step(setClassesValue(kDatabaseType + L"\\shell\\open\\command", L"",
                         L"\"" + modulePath(nullptr) + L"\" \"%1\""));
    step(callEventControl("DllRegisterServer"));
    return step.result;
}

HRESULT unregisterServer() {
    FirstFailure step;
    for (const ClassEntry& entry : serverClasses())
        step(unregisterClass(entry));
    // ".dbf" may have been given to another program since; that one stays.
    if (classesValue(L".dbf") == kDatabaseType)
        step(removeClassesKey(L".dbf"));
    step(removeClassesKey(kDatabaseType));
    step(callEventControl("DllUnregisterServer"));
    return step.result;
}

} // namespace standin::win
