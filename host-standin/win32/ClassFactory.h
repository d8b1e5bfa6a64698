#pragma once

#include "ComObject.h"

#include <windows.h>

#include <atomic>
#include <functional>

namespace standin::win {

// Makes one kind of object for COM. `make` answers a new object holding one
// reference, or null when it cannot be made.
class ClassFactory : public ComObject<IClassFactory> {
public:
    using Make = std::function<IUnknown*()>;
    // `locks`, when given, counts LockServer calls for a DLL's unloading.
    explicit ClassFactory(Make make, std::atomic<long>* locks = nullptr)
        : make_(std::move(make)), locks_(locks) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Make make_;
    std::atomic<long>* locks_;
};

} // namespace standin::win
