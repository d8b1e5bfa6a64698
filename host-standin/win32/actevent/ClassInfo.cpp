#include "ClassInfo.h"

#include "ComText.h"

#include <wrl/client.h>

namespace standin::win {

namespace {

using Microsoft::WRL::ComPtr;

// The library that would hold the control's class; never written to disk.
constexpr const char* kLibraryId = "{58EFE0E8-9397-4A19-B912-014C08404A4E}";

HRESULT makeClassInfo(const IID& control, const IID& events, ComPtr<ITypeInfo>& out) {
    ComPtr<ICreateTypeLib2> library;
    ComPtr<ICreateTypeInfo> source, coclass;
    ComPtr<ITypeInfo> sourceInfo;
    HREFTYPE reference = 0;
    HRESULT result =
        ::CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, L"actevent.tlb", &library);
    if (SUCCEEDED(result))
        result = library->SetGuid(clsidOf(kLibraryId));
    if (SUCCEEDED(result))
        result = library->CreateTypeInfo(const_cast<LPOLESTR>(L"_DActEventEvents"), TKIND_DISPATCH,
                                         &source);
    if (SUCCEEDED(result))
        result = source->SetGuid(events);
    if (SUCCEEDED(result))
        result = source.As(&sourceInfo);
    if (SUCCEEDED(result))
        result =
            library->CreateTypeInfo(const_cast<LPOLESTR>(L"ActEvent"), TKIND_COCLASS, &coclass);
    if (SUCCEEDED(result))
        result = coclass->SetGuid(control);
    if (SUCCEEDED(result))
        result = coclass->AddRefTypeInfo(sourceInfo.Get(), &reference);
    if (SUCCEEDED(result))
        result = coclass->AddImplType(0, reference);
    if (SUCCEEDED(result))
        result = coclass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    if (SUCCEEDED(result))
        result = coclass.As(&out);
    return result;
}

} // namespace

HRESULT classTypeInfo(const IID& control, const IID& events, ITypeInfo** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    ComPtr<ITypeInfo> info;
    const HRESULT result = makeClassInfo(control, events, info);
    if (FAILED(result))
        return result;
    *out = info.Detach();
    return S_OK;
}

} // namespace standin::win
