#pragma once

#include <windows.h>

#include <atomic>

namespace standin::win {

// Reference counting and QueryInterface for an object that offers the COM
// interfaces it derives from; the first one answers for IUnknown.
// COM leaves its interfaces' destructors non-virtual: the object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class First, class... Others> class ComObject : public First, public Others... {
public:
    virtual ~ComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown)
            *out = static_cast<First*>(this);
        else if (!(offer<First>(iid, out) || (offer<Others>(iid, out) || ...)))
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

private:
    template <class Interface> bool offer(REFIID iid, void** out) {
        if (iid != __uuidof(Interface))
            return false;
        *out = static_cast<Interface*>(this);
        return true;
    }

    std::atomic<long> references_{1};
};
#pragma GCC diagnostic pop

// An automation object without type information: it is reached by name or
// by number only.
template <class... Others> class DispatchObject : public ComObject<IDispatch, Others...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
};

} // namespace standin::win
