#pragma once

#include "ComObject.h"
#include "ConnectionPoint.h"

#include <windows.h>

#include <ocidl.h>

#include <atomic>

namespace standin::win {

// "ACTEVENTLib.ActEvent": tells its caller when the host's user closes the
// host. Its members are reached by dispatch number only: 1 subscribes, 2 ends
// the subscription, 3 says whether the host runs. The event comes as a
// message to a hidden window of the thread that subscribed, so the sinks are
// called on that thread's message loop.
class EventControl : public DispatchObject<IConnectionPointContainer> {
public:
    static constexpr const wchar_t* kWindowClass = L"Velmaris.HostStandin.EventControl";

    EventControl();
    ~EventControl() override;

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // 1 once the host's frame holds the subscription, else 0.
    LONG subscribe();
    void unsubscribe();
    void raiseUserWantsToClose();

    ConnectionPoint point_;
    HWND window_ = nullptr;
    HWND frame_ = nullptr;
};

} // namespace standin::win
