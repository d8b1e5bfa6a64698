#include "host/com/ComDispatch.h"

#include "host/HostInterface.h"
#include "platform/win32/AnsiText.h"

#include <cstdio>
#include <vector>

namespace vm::com {

namespace {

// BSTRs that are freed when they go.
struct OwnedBstr {
    BSTR text = nullptr;
    ~OwnedBstr() { ::SysFreeString(text); }
};

std::string describe(HRESULT result) {
    char* message = nullptr;
    ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&message), 0, nullptr);
    std::string text = message ? win32::fromAnsi(message) : std::string();
    ::LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    char number[16];
    std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(result));
    return "Automation error " + std::string(number) + (text.empty() ? "" : ": " + text);
}

// What the object said when it raised an exception; its description when it
// gave one.
std::string describe(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    OwnedBstr source{info.bstrSource}, description{info.bstrDescription}, help{info.bstrHelpFile};
    if (description.text && *description.text)
        return win32::fromWide(description.text);
    return describe(info.scode != S_OK ? info.scode : static_cast<HRESULT>(info.wCode));
}

} // namespace

void check(HRESULT result, const char* what) {
    if (FAILED(result))
        throw HostError(std::string(what) + ": " + describe(result));
}

Variant::Variant(const Variant& other) {
    ::VariantInit(&value_);
    check(::VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)), "VariantCopy");
}

Variant Variant::text(const std::string& utf8) {
    const std::optional<std::wstring> wide = win32::toWide(utf8);
    if (!wide)
        throw HostError("The text cannot be handed to the host: it is not UTF-8");
    Variant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = ::SysAllocStringLen(wide->data(), static_cast<UINT>(wide->size()));
    if (!v.value_.bstrVal)
        throw HostError("Out of memory");
    return v;
}

Variant Variant::number16(std::int16_t number) {
    Variant v;
    v.value_.vt = VT_I2;
    v.value_.iVal = number;
    return v;
}

Variant Variant::number32(std::int32_t number) {
    Variant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = number;
    return v;
}

namespace {

Variant converted(const VARIANT& value, VARTYPE type) {
    Variant out;
    check(::VariantChangeType(out.get(), const_cast<VARIANT*>(&value), 0, type),
          "The host's answer has another type");
    return out;
}

} // namespace

std::string Variant::asText() const {
    if (value_.vt == VT_EMPTY || value_.vt == VT_NULL)
        return {};
    const Variant text = converted(value_, VT_BSTR);
    const BSTR b = text.get()->bstrVal;
    return b ? win32::fromWide(std::wstring_view(b, ::SysStringLen(b))) : std::string();
}

std::int32_t Variant::asNumber() const {
    return converted(value_, VT_I4).get()->lVal;
}

bool Variant::asBoolean() const {
    return converted(value_, VT_BOOL).get()->boolVal != VARIANT_FALSE;
}

ComPtr<IDispatch> Variant::asObject() const {
    ComPtr<IDispatch> object;
    if (value_.vt == VT_DISPATCH && value_.pdispVal)
        object = value_.pdispVal;
    else if (value_.vt == VT_UNKNOWN && value_.punkVal)
        check(value_.punkVal->QueryInterface(IID_PPV_ARGS(&object)), "QueryInterface");
    if (!object)
        throw HostError("The host answered no object");
    return object;
}

Dispatch Dispatch::create(const char* progId, DWORD context) {
    const std::string name(progId);
    CLSID classId{};
    check(::CLSIDFromProgID(std::wstring(name.begin(), name.end()).c_str(), &classId), progId);
    ComPtr<IDispatch> object;
    check(::CoCreateInstance(classId, nullptr, context, IID_PPV_ARGS(&object)), progId);
    return Dispatch(std::move(object));
}

DISPID Dispatch::idOf(const char* member) {
    const std::string name(member);
    std::wstring wide(name.begin(), name.end());
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    check(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), member);
    return id;
}

Variant Dispatch::invoke(DISPID id, WORD kind, std::initializer_list<Variant> args,
                         const char* member) {
    // Arguments go in the reverse order.
    std::vector<VARIANT> reversed;
    for (auto it = std::rbegin(args); it != std::rend(args); ++it)
        reversed.push_back(*it->get());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID named = DISPID_PROPERTYPUT;
    if (kind & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT outcome = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                            (kind & DISPATCH_PROPERTYPUT) ? nullptr : result.get(),
                                            &exception, &badArgument);
    if (outcome == DISP_E_EXCEPTION)
        throw HostError(describe(exception));
    check(outcome, member);
    return result;
}

Variant Dispatch::call(const char* member, std::initializer_list<Variant> args) {
    return invoke(idOf(member), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, member);
}

Variant Dispatch::get(const char* property) {
    return invoke(idOf(property), DISPATCH_PROPERTYGET, {}, property);
}

void Dispatch::put(const char* property, const Variant& value) {
    invoke(idOf(property), DISPATCH_PROPERTYPUT, {value}, property);
}

} // namespace vm::com
