#include "ConnectionPoint.h"

#include "Module.h"

#include <algorithm>
#include <type_traits>

namespace standin::win {

template <class Sink> ConnectionPoint<Sink>::~ConnectionPoint() {
    for (const auto& [cookie, sink] : sinks_)
        sink->Release();
}

template <class Sink> std::vector<Sink*> ConnectionPoint<Sink>::sinks() const {
    std::vector<Sink*> held;
    for (const auto& [cookie, sink] : sinks_) {
        sink->AddRef();
        held.push_back(sink);
    }
    return held;
}

template <class Sink>
HRESULT STDMETHODCALLTYPE ConnectionPoint<Sink>::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

template <class Sink>
HRESULT STDMETHODCALLTYPE ConnectionPoint<Sink>::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = events_;
    return S_OK;
}

template <class Sink>
HRESULT STDMETHODCALLTYPE
ConnectionPoint<Sink>::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out)
        return E_POINTER;
    container_.AddRef();
    *out = &container_;
    return S_OK;
}

template <class Sink>
HRESULT STDMETHODCALLTYPE ConnectionPoint<Sink>::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    void* held = nullptr;
    bool taken = SUCCEEDED(sink->QueryInterface(events_, &held));
    // A sink of a dispatch interface may answer only to IDispatch; the events
    // are dispatch calls either way.
    if constexpr (std::is_same_v<Sink, IDispatch>)
        taken = taken || SUCCEEDED(sink->QueryInterface(IID_IDispatch, &held));
    if (!taken)
        return CONNECT_E_CANNOTCONNECT;
    *cookie = ++lastCookie_;
    sinks_[*cookie] = static_cast<Sink*>(held);
    return S_OK;
}

template <class Sink> HRESULT STDMETHODCALLTYPE ConnectionPoint<Sink>::Unadvise(DWORD cookie) {
    auto it = sinks_.find(cookie);
    if (it == sinks_.end())
        return CONNECT_E_NOCONNECTION;
    Sink* sink = it->second;
    sinks_.erase(it);
    sink->Release();
    return S_OK;
}

template <class Sink>
HRESULT STDMETHODCALLTYPE ConnectionPoint<Sink>::EnumConnections(IEnumConnections** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

template class ConnectionPoint<IDispatch>;
template class ConnectionPoint<IPropertyNotifySink>;

PointEnumerator::PointEnumerator(std::vector<IConnectionPoint*> points, ULONG position)
    : points_(std::move(points)), position_(position) {
    for (IConnectionPoint* point : points_)
        point->AddRef();
    ++gLiveObjects;
}

PointEnumerator::~PointEnumerator() {
    for (IConnectionPoint* point : points_)
        point->Release();
    --gLiveObjects;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Next(ULONG count, IConnectionPoint** points,
                                                ULONG* fetched) {
    if (!points || (count > 1 && !fetched))
        return E_POINTER;
    ULONG given = 0;
    for (; given < count && position_ < points_.size(); ++given, ++position_) {
        points_[position_]->AddRef();
        points[given] = points_[position_];
    }
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Skip(ULONG count) {
    const ULONG left = static_cast<ULONG>(points_.size()) - position_;
    position_ += std::min(count, left);
    return count <= left ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Clone(IEnumConnectionPoints** out) {
    if (!out)
        return E_POINTER;
    *out = new PointEnumerator(points_, position_);
    return S_OK;
}

} // namespace standin::win
