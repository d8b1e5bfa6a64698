#include "ConnectionPoint.h"

#include "Module.h"

namespace standin::win {

ConnectionPoint::~ConnectionPoint() {
    for (const auto& [cookie, sink] : sinks_)
        sink->Release();
}

std::vector<IDispatch*> ConnectionPoint::sinks() const {
    std::vector<IDispatch*> held;
    for (const auto& [cookie, sink] : sinks_) {
        sink->AddRef();
        held.push_back(sink);
    }
    return held;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::QueryInterface(REFIID iid, void** out) {
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

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = events_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE
ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out)
        return E_POINTER;
    container_.AddRef();
    *out = &container_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    // A sink may answer only to the events interface or only to IDispatch;
    // the events are dispatch calls either way.
    void* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(events_, &dispatch)) &&
        FAILED(sink->QueryInterface(IID_IDispatch, &dispatch)))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = ++lastCookie_;
    sinks_[*cookie] = static_cast<IDispatch*>(dispatch);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Unadvise(DWORD cookie) {
    auto it = sinks_.find(cookie);
    if (it == sinks_.end())
        return CONNECT_E_NOCONNECTION;
    IDispatch* sink = it->second;
    sinks_.erase(it);
    sink->Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

PointEnumerator::PointEnumerator(IConnectionPoint* point, ULONG position)
    : point_(point), position_(position) {
    point_->AddRef();
    ++gLiveObjects;
}

PointEnumerator::~PointEnumerator() {
    point_->Release();
    --gLiveObjects;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Next(ULONG count, IConnectionPoint** points,
                                                ULONG* fetched) {
    if (!points || (count > 1 && !fetched))
        return E_POINTER;
    ULONG given = 0;
    if (count > 0 && position_ == 0) {
        point_->AddRef();
        points[0] = point_;
        given = 1;
        position_ = 1;
    }
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Skip(ULONG count) {
    const ULONG left = 1 - position_;
    position_ = count >= left ? 1 : position_ + count;
    return count <= left ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PointEnumerator::Clone(IEnumConnectionPoints** out) {
    if (!out)
        return E_POINTER;
    *out = new PointEnumerator(point_, position_);
    return S_OK;
}

} // namespace standin::win
