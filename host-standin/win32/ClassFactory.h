#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

namespace standin::win {

// Makes one kind of object for COM. `make` answers a new object holding one
// reference, or null when it cannot be made.
class ClassFactory : public IClassFactory {
public:
    using Make = std::function<IUnknown*()>;
    // `locks`, when given, counts LockServer calls for a DLL's unloading.
    explicit ClassFactory(Make make, std::atomic<long>* locks = nullptr)
        : make_(std::move(make)), locks_(locks) {}
    virtual ~ClassFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    std::atomic<long> references_{1};
    Make make_;
    std::atomic<long>* locks_;
};

} // namespace standin::win
