#include "ApplicationObjects.h"
#include "AuxCommandsObject.h"
#include "ClassFactory.h"
#include "ClassIds.h"
#include "ComText.h"
#include "Frame.h"
#include "FrameMessages.h"
#include "ServerRegistration.h"
#include "WinUserRegistry.h"
#include "host-standin/core/HostState.h"
#include "host/com/HostComNames.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace standin::core;
using namespace standin::win;

enum class Task { Serve, Register, Unregister };

struct Options {
    Task task = Task::Serve;
    std::string file;
};

// host-standin.exe [database file] | /RegServer | /UnregServer, and
// -Embedding when COM starts it.
Options readOptions() {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    Options options;
    for (int i = 1; args && i < count; ++i) {
        const std::wstring arg = args[i];
        const auto is = [&](const wchar_t* name) {
            return (arg[0] == L'/' || arg[0] == L'-') &&
                   ::CompareStringOrdinal(arg.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
        };
        if (is(L"RegServer"))
            options.task = Task::Register;
        else if (is(L"UnregServer"))
            options.task = Task::Unregister;
        else if (!is(L"Embedding") && !is(L"Automation") && options.file.empty())
            options.file = utf8Of(arg);
    }
    ::LocalFree(args);
    return options;
}

std::string environmentValue(const wchar_t* name) {
    std::wstring value(32768, L'\0');
    const DWORD length =
        ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(length < value.size() ? length : 0);
    return utf8Of(value);
}

// %LOCALAPPDATA%\host-standin, where Qt puts the Linux host's folders on
// Windows.
std::string dataFolder() {
    std::string base = environmentValue(L"LOCALAPPDATA");
    if (base.empty()) {
        wchar_t folder[MAX_PATH] = L"";
        if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder)))
            base = utf8Of(folder);
    }
    return base + "\\host-standin";
}

// A GUI program has no console, but wine and a test's pipes pass stderr on.
int fail(const char* what, HRESULT result = S_OK) {
    if (FAILED(result))
        std::fprintf(stderr, "host-standin: %s (error 0x%08lx)\n", what,
                     static_cast<unsigned long>(result));
    else
        std::fprintf(stderr, "host-standin: %s\n", what);
    return 1;
}

class ClassObjects {
public:
    ~ClassObjects() {
        for (DWORD cookie : cookies_)
            ::CoRevokeClassObject(cookie);
    }
    HRESULT add(const char* clsid, ClassFactory::Make make) {
        auto* factory = new ClassFactory(std::move(make));
        DWORD cookie = 0;
        const HRESULT result = ::CoRegisterClassObject(clsidOf(clsid), factory, CLSCTX_LOCAL_SERVER,
                                                       REGCLS_MULTIPLEUSE, &cookie);
        factory->Release();
        if (SUCCEEDED(result))
            cookies_.push_back(cookie);
        return result;
    }

private:
    std::vector<DWORD> cookies_;
};

int serve(const Options& options, int showCommand) {
    if (::FindWindowW(kFrameClass, nullptr))
        return fail("another host is already running");
    WinUserRegistry registry;
    const std::string folder = dataFolder();
    HostState host(Journal(environmentValue(wideOf(Journal::kVariable).c_str())),
                   ProfileFile(folder + "\\profile.json"), registry, folder);
    Frame frame(host);
    host.setLoginPrompt(&frame);
    if (!frame.create())
        return fail("the frame window could not be made", HRESULT_FROM_WIN32(::GetLastError()));

    ClassObjects classes;
    HRESULT result =
        classes.add(kApplicationClsid, [&host] { return new ApplicationObject(host); });
    if (SUCCEEDED(result))
        result = classes.add(kAuxCommandsClsid, [&host] { return new AuxCommandsObject(host); });
    if (FAILED(result))
        return fail("the automation classes could not be offered", result);

    // Shown only now: whoever waits for the frame may then create objects at
    // once, without starting a second host through COM.
    frame.show(showCommand);
    host.startUp(options.file);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    const Options options = readOptions();
    if (options.task == Task::Register) {
        const HRESULT result = registerServer();
        return FAILED(result) ? fail("registering failed", result) : 0;
    }
    if (options.task == Task::Unregister) {
        const HRESULT result = unregisterServer();
        return FAILED(result) ? fail("unregistering failed", result) : 0;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return fail("COM could not be started", E_FAIL);
    const int status = serve(options, showCommand);
    ::CoUninitialize();
    return status;
}
