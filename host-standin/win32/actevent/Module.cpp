#include "Module.h"

#include "ClassFactory.h"
#include "ClassIds.h"
#include "ClassRegistration.h"
#include "ComText.h"
#include "EventControl.h"
#include "host/com/HostComNames.h"

namespace standin::win {

std::atomic<long> gLiveObjects{0};
std::atomic<long> gServerLocks{0};
HINSTANCE gModule = nullptr;

namespace {

ClassEntry eventControlClass() {
    return {wideOf(kEventControlClsid),
            wideOf(vm::hostcom::kEventControlProgId),
            L"Host Stand-in Event Control",
            L"InprocServer32",
            modulePath(gModule),
            L"Apartment"};
}

} // namespace

} // namespace standin::win

using namespace standin::win;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        gModule = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        ::UnregisterClassW(EventControl::kWindowClass, module);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != clsidOf(kEventControlClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory(
        []() -> IUnknown* { return static_cast<IDispatch*>(new EventControl()); }, &gServerLocks);
    const HRESULT result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow() {
    return gLiveObjects == 0 && gServerLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return registerClass(eventControlClass());
}

STDAPI DllUnregisterServer() {
    return unregisterClass(eventControlClass());
}
