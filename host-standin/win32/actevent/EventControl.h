#pragma once

#include "ComObject.h"
#include "ConnectionPoint.h"

#include <windows.h>

#include <ocidl.h>

#include <atomic>

namespace standin::win {

// "ACTEVENTLib.ActEvent": tells its caller when the host's user closes the
// host. Its members are reached by dispatch number only: the methods 1
// (subscribes) and 2 (ends the subscription), and the property 3 (whether the
// host runs). The event comes as a message to a hidden window of the thread
// that subscribed, so the sinks are called on that thread's message loop. As
// ActiveX controls do, it offers a point for property-change notifications
// before the one of its own events, and names the latter through its class
// information.
class EventControl : public DispatchObject<IConnectionPointContainer, IProvideClassInfo2> {
public:
    static constexpr const wchar_t* kWindowClass = L"Velmaris.HostStandin.EventControl";

    EventControl();
    ~EventControl() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // 1 once the host's frame holds the subscription, else 0.
    LONG subscribe();
    void unsubscribe();
    void raiseUserWantsToClose();

    // Never notified: the control has no properties that change.
    ConnectionPoint<IPropertyNotifySink> propertyPoint_;
    ConnectionPoint<IDispatch> point_;
    HWND window_ = nullptr;
    HWND frame_ = nullptr;
};

} // namespace standin::win
