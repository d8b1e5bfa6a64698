#include "host/com/ComEventControl.h"

#include "host/com/ComEventSource.h"
#include "host/com/HostComNames.h"

#include <ocidl.h>

#include <atomic>

namespace vm {

namespace {

// The control does not say which of its members are methods and which are
// properties; each is called as either, as the members reached by name are.
constexpr WORD kByNumber = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

} // namespace

// Receives the control's events and hands the close event to the control's
// owner; forgets the owner once it has gone.
// COM leaves its interfaces' destructors non-virtual: the object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class EventSink : public IDispatch {
public:
    EventSink(ComEventControl* owner, IID events) : owner_(owner), events_(events) {}
    void forget() { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id == hostcom::kUserWantsToCloseDispId && owner_)
            owner_->raiseOnActUserWantsToClose();
        return S_OK;
    }

private:
    virtual ~EventSink() = default;
    ComEventControl* owner_;
    IID events_;
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

ComEventControl::ComEventControl() {
    try {
        control_ = com::Dispatch::create(hostcom::kEventControlProgId, CLSCTX_SERVER);
    } catch (const HostError&) {
        // Not registered: the host is not installed, so it does not run.
    }
}

ComEventControl::~ComEventControl() {
    disconnect();
}

void ComEventControl::connect() {
    if (point_)
        return;
    com::ComPtr<IConnectionPoint> point = com::eventsPointOf(control_->object());
    IID events{};
    com::check(point->GetConnectionInterface(&events), "GetConnectionInterface");
    com::ComPtr<EventSink> sink;
    sink.Attach(new EventSink(this, events));
    com::check(point->Advise(sink.Get(), &cookie_), "Advise");
    point_ = std::move(point);
    sink_ = std::move(sink);
}

void ComEventControl::disconnect() {
    if (!point_)
        return;
    // The host may be gone already; nothing is left to undo then.
    (void)point_->Unadvise(cookie_);
    sink_->forget();
    point_.Reset();
    sink_.Reset();
}

std::int32_t ComEventControl::Dispatch1(std::int32_t zero) {
    if (!control_)
        return 0;
    try {
        connect();
        return control_
            ->invoke(hostcom::kSubscribeDispId, kByNumber, {com::Variant::number32(zero)},
                     "Subscribe")
            .asNumber();
    } catch (const HostError&) {
        disconnect();
        return 0;
    }
}

void ComEventControl::Dispatch2() {
    if (!control_)
        return;
    try {
        control_->invoke(hostcom::kUnsubscribeDispId, kByNumber, {}, "Unsubscribe");
    } catch (const HostError&) {
        // Ending a subscription to a host that has gone is no failure.
    }
    disconnect();
}

bool ComEventControl::Dispatch3() {
    if (!control_)
        return false;
    try {
        return control_->invoke(hostcom::kIsHostRunningDispId, kByNumber, {}, "IsHostRunning")
            .asBoolean();
    } catch (const HostError&) {
        return false;
    }
}

} // namespace vm
