#pragma once

#include "ComObject.h"

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <map>
#include <vector>

namespace standin::win {

// One connection point of the event control, for sinks of the interface
// `Sink` (IDispatch for a dispatch interface). It lives inside the control
// and shares its reference count.
// COM leaves its interfaces' destructors non-virtual: the object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class Sink> class ConnectionPoint : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, const IID& events)
        : container_(container), events_(events) {}
    virtual ~ConnectionPoint();

    // Each sink with a reference of its own, for calls that may drop sinks.
    std::vector<Sink*> sinks() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

private:
    IConnectionPointContainer& container_;
    IID events_;
    std::map<DWORD, Sink*> sinks_;
    DWORD lastCookie_ = 0;
};
#pragma GCC diagnostic pop

// Hands out the control's connection points in order, as
// IConnectionPointContainer's EnumConnectionPoints must.
class PointEnumerator : public ComObject<IEnumConnectionPoints> {
public:
    explicit PointEnumerator(std::vector<IConnectionPoint*> points, ULONG position = 0);
    ~PointEnumerator() override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override;

private:
    std::vector<IConnectionPoint*> points_;
    ULONG position_;
};

} // namespace standin::win
