#include "ClassIds.h"
#include "ComText.h"
#include "HostServer.h"
#include "host/com/HostComNames.h"

#include <ocidl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace standin::win::test {

namespace {

namespace hostcom = vm::hostcom;

// Counts the events it hears and the thread they came on.
// COM leaves its interfaces' destructors non-virtual: the object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Sink : public IDispatch {
public:
    int heard = 0;
    DWORD thread = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == clsidOf(kEventsIid)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id == hostcom::kUserWantsToCloseDispId) {
            ++heard;
            thread = ::GetCurrentThreadId();
        }
        return S_OK;
    }
};
#pragma GCC diagnostic pop

// The control answers numbers and Booleans only, which need no clearing.
VARIANT invokeNumber(IDispatch* control, DISPID id, bool withZero, WORD kind = DISPATCH_METHOD) {
    Value zero(0L);
    DISPPARAMS params{withZero ? static_cast<VARIANT*>(&zero) : nullptr, nullptr,
                      withZero ? 1u : 0u, 0};
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &result, nullptr,
                              nullptr),
              S_OK);
    return result;
}

IID connectionInterfaceOf(IConnectionPoint* point) {
    IID events{};
    point->GetConnectionInterface(&events);
    return events;
}

// The point of the control's own events, found as its class information
// names them; the property-change point comes first, as with many controls.
IConnectionPoint* eventsPoint(IDispatch* control) {
    IConnectionPointContainer* container = nullptr;
    IProvideClassInfo2* info = nullptr;
    control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info));
    if (!container || !info)
        return nullptr;
    IEnumConnectionPoints* points = nullptr;
    IConnectionPoint* first = nullptr;
    if (SUCCEEDED(container->EnumConnectionPoints(&points))) {
        points->Next(1, &first, nullptr);
        points->Release();
    }
    EXPECT_TRUE(first && connectionInterfaceOf(first) == IID_IPropertyNotifySink);
    if (first)
        first->Release();
    IID events{};
    IConnectionPoint* point = nullptr;
    if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events)))
        container->FindConnectionPoint(events, &point);
    info->Release();
    container->Release();
    return point;
}

TEST(EventControlTest, ClosingTheFrameRaisesTheEventOnTheSubscribersThread) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "The host's frame needs a display; DISPLAY is not set.";
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    HostServer host;
    ASSERT_TRUE(host.start()) << "the host's frame did not show";
    IDispatch* control = create(hostcom::kEventControlProgId, CLSCTX_INPROC_SERVER);
    ASSERT_NE(control, nullptr) << "ACTEVENTLib.ActEvent is not registered";

    EXPECT_EQ(
        invokeNumber(control, hostcom::kIsHostRunningDispId, false, DISPATCH_PROPERTYGET).boolVal,
        VARIANT_TRUE);
    const VARIANT subscribed = invokeNumber(control, hostcom::kSubscribeDispId, true);
    EXPECT_EQ(subscribed.vt, VT_I4);
    EXPECT_EQ(subscribed.lVal, 1);
    IConnectionPoint* point = eventsPoint(control);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(connectionInterfaceOf(point), clsidOf(kEventsIid));
    Sink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    ::PostMessageW(host.frame(), WM_CLOSE, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (sink.heard == 0 && std::chrono::steady_clock::now() < deadline) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
    }
    EXPECT_EQ(sink.heard, 1);
    EXPECT_EQ(sink.thread, ::GetCurrentThreadId());
    EXPECT_TRUE(host.waitForExit());

    // With the host gone: no subscription, and ending one never fails.
    EXPECT_EQ(
        invokeNumber(control, hostcom::kIsHostRunningDispId, false, DISPATCH_PROPERTYGET).boolVal,
        VARIANT_FALSE);
    EXPECT_EQ(invokeNumber(control, hostcom::kSubscribeDispId, true).lVal, 0);
    invokeNumber(control, hostcom::kUnsubscribeDispId, false);
    point->Unadvise(cookie);
    point->Release();
    control->Release();
    ::CoUninitialize();
}

} // namespace

} // namespace standin::win::test
