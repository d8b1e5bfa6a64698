#pragma once

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace vm::com {

using Microsoft::WRL::ComPtr;

// One automation value, cleared when it goes.
class Variant {
public:
    Variant() { ::VariantInit(&value_); }
    Variant(const Variant& other);
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value_); }

    static Variant text(const std::string& utf8);
    static Variant number16(std::int16_t number);
    static Variant number32(std::int32_t number);

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }

    // The value read as the caller expects it; a value that cannot be read so
    // throws HostError.
    std::string asText() const;
    std::int32_t asNumber() const;
    bool asBoolean() const;
    ComPtr<IDispatch> asObject() const;

private:
    VARIANT value_;
};

// An automation object reached through IDispatch alone, its members looked up
// by name at every call, as a late-bound client does. Every failure throws
// HostError with the object's own description where it gives one.
class Dispatch {
public:
    explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    // An instance of the class registered under `progId`.
    static Dispatch create(const char* progId, DWORD context);

    Variant call(const char* member, std::initializer_list<Variant> args = {});
    Variant get(const char* property);
    void put(const char* property, const Variant& value);
    Variant invoke(DISPID id, WORD kind, std::initializer_list<Variant> args, const char* member);

    IDispatch* object() const { return object_.Get(); }

private:
    DISPID idOf(const char* member);
    ComPtr<IDispatch> object_;
};

// Turns a failed HRESULT into HostError.
void check(HRESULT result, const char* what);

} // namespace vm::com
