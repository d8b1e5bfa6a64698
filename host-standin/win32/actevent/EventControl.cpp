#include "EventControl.h"

#include "ClassIds.h"
#include "ClassInfo.h"
#include "FrameMessages.h"
#include "Module.h"
#include "host/com/HostComNames.h"

#include "ComText.h"

namespace standin::win {

namespace {

namespace hostcom = vm::hostcom;

// The host answers at once; a frame that does not is hung, not busy.
constexpr UINT kFrameTimeoutMs = 5000;

const IID& eventsIid() {
    static const IID iid = clsidOf(kEventsIid);
    return iid;
}

bool registerWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = gModule;
    windowClass.lpszClassName = EventControl::kWindowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    return ::RegisterClassExW(&windowClass) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool sendToFrame(HWND frame, UINT message, HWND window) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(frame, message, reinterpret_cast<WPARAM>(window), 0,
                                 SMTO_ABORTIFHUNG, kFrameTimeoutMs, &answer) &&
           answer == 1;
}

} // namespace

EventControl::EventControl()
    : propertyPoint_(*this, IID_IPropertyNotifySink), point_(*this, eventsIid()) {
    ++gLiveObjects;
}

EventControl::~EventControl() {
    unsubscribe();
    --gLiveObjects;
}

HRESULT STDMETHODCALLTYPE EventControl::QueryInterface(REFIID iid, void** out) {
    // IProvideClassInfo2 extends IProvideClassInfo, which a client may ask
    // for alone.
    if (out && iid == IID_IProvideClassInfo) {
        *out = static_cast<IProvideClassInfo2*>(this);
        AddRef();
        return S_OK;
    }
    return DispatchObject::QueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE EventControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                                      DISPID* ids) {
    // Known by number only, as the host's control is.
    for (UINT i = 0; ids && i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE EventControl::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                               DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                               UINT* argumentError) {
    if (!params)
        return E_INVALIDARG;
    if (params->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    // Taken as a type library's control takes them: a method must be called
    // as one, a property read as one.
    const WORD kind = id == hostcom::kIsHostRunningDispId ? DISPATCH_PROPERTYGET : DISPATCH_METHOD;
    if (!(flags & kind))
        return DISP_E_MEMBERNOTFOUND;
    VARIANT answer;
    ::VariantInit(&answer);
    switch (id) {
    case hostcom::kSubscribeDispId: {
        if (params->cArgs > 1)
            return DISP_E_BADPARAMCOUNT;
        VARIANT zero;
        ::VariantInit(&zero);
        if (params->cArgs == 1 && FAILED(::VariantChangeType(&zero, params->rgvarg, 0, VT_I4))) {
            if (argumentError)
                *argumentError = 0;
            return DISP_E_TYPEMISMATCH;
        }
        answer.vt = VT_I4;
        answer.lVal = subscribe();
        break;
    }
    case hostcom::kUnsubscribeDispId:
        unsubscribe();
        break;
    case hostcom::kIsHostRunningDispId:
        answer.vt = VT_BOOL;
        answer.boolVal = ::FindWindowW(kFrameClass, nullptr) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result)
        *result = answer;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (!out)
        return E_POINTER;
    *out = new PointEnumerator({&propertyPoint_, &point_});
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventControl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IID_IPropertyNotifySink)
        *out = &propertyPoint_;
    else if (iid == eventsIid())
        *out = &point_;
    else
        return CONNECT_E_NOCONNECTION;
    (*out)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventControl::GetClassInfo(ITypeInfo** out) {
    return classTypeInfo(clsidOf(kEventControlClsid), eventsIid(), out);
}

HRESULT STDMETHODCALLTYPE EventControl::GetGUID(DWORD kind, GUID* out) {
    if (!out)
        return E_POINTER;
    *out = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *out = eventsIid();
    return S_OK;
}

LONG EventControl::subscribe() {
    HWND frame = ::FindWindowW(kFrameClass, nullptr);
    if (!frame)
        return 0;
    if (!window_) {
        if (!registerWindowClass())
            return 0;
        window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    gModule, nullptr);
        if (!window_)
            return 0;
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    }
    if (!sendToFrame(frame, subscribeMessage(), window_))
        return 0;
    frame_ = frame;
    return 1;
}

void EventControl::unsubscribe() {
    // The host may be gone already; then there is nobody to tell.
    if (frame_ && window_ && ::IsWindow(frame_))
        sendToFrame(frame_, unsubscribeMessage(), window_);
    frame_ = nullptr;
    if (window_)
        ::DestroyWindow(window_);
    window_ = nullptr;
}

void EventControl::raiseUserWantsToClose() {
    // A sink may let go of this control while it is being told.
    AddRef();
    DISPPARAMS none{};
    for (IDispatch* sink : point_.sinks()) {
        sink->Invoke(hostcom::kUserWantsToCloseDispId, IID_NULL, LOCALE_USER_DEFAULT,
                     DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
        sink->Release();
    }
    Release();
}

LRESULT CALLBACK EventControl::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT userWantsToClose = userWantsToCloseMessage();
    auto* control = reinterpret_cast<EventControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == userWantsToClose && control) {
        control->raiseUserWantsToClose();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace standin::win
