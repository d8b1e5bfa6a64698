#include "host/com/ComEventSource.h"

#include "host/HostInterface.h"

#include <olectl.h>

#include <optional>

namespace vm::com {

namespace {

std::optional<IID> fromClassInfo2(IUnknown* control) {
    ComPtr<IProvideClassInfo2> info;
    IID events{};
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&info))) &&
        SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events)))
        return events;
    return std::nullopt;
}

// The type's GUID; nothing when it has no attributes to give.
std::optional<IID> guidOf(ITypeInfo* type) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(type->GetTypeAttr(&attributes)) || !attributes)
        return std::nullopt;
    const IID guid = attributes->guid;
    type->ReleaseTypeAttr(attributes);
    return guid;
}

// The interface the control's class names as its default source.
std::optional<IID> fromTypeInfo(IUnknown* control) {
    ComPtr<IProvideClassInfo> info;
    ComPtr<ITypeInfo> coclass;
    TYPEATTR* attributes = nullptr;
    if (FAILED(control->QueryInterface(IID_PPV_ARGS(&info))) ||
        FAILED(info->GetClassInfo(&coclass)) || !coclass ||
        FAILED(coclass->GetTypeAttr(&attributes)) || !attributes)
        return std::nullopt;
    const UINT count = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    constexpr INT kDefaultSource = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> source;
        if (SUCCEEDED(coclass->GetImplTypeFlags(i, &flags)) &&
            (flags & kDefaultSource) == kDefaultSource &&
            SUCCEEDED(coclass->GetRefTypeOfImplType(i, &reference)) &&
            SUCCEEDED(coclass->GetRefTypeInfo(reference, &source)))
            return guidOf(source.Get());
    }
    return std::nullopt;
}

// A control that describes itself in no way: the property-change point is
// the one point a control offers besides its own events, so any other point
// is the events'.
ComPtr<IConnectionPoint> firstEventsPoint(IConnectionPointContainer* container) {
    ComPtr<IEnumConnectionPoints> points;
    check(container->EnumConnectionPoints(&points), "EnumConnectionPoints");
    for (;;) {
        ComPtr<IConnectionPoint> point;
        if (points->Next(1, &point, nullptr) != S_OK || !point)
            throw HostError("The host's event control raises no events");
        IID events{};
        if (SUCCEEDED(point->GetConnectionInterface(&events)) && events != IID_IPropertyNotifySink)
            return point;
    }
}

} // namespace

ComPtr<IConnectionPoint> eventsPointOf(IUnknown* control) {
    ComPtr<IConnectionPointContainer> container;
    check(control->QueryInterface(IID_PPV_ARGS(&container)), "IConnectionPointContainer");
    std::optional<IID> events = fromClassInfo2(control);
    if (!events)
        events = fromTypeInfo(control);
    if (!events)
        return firstEventsPoint(container.Get());
    ComPtr<IConnectionPoint> point;
    check(container->FindConnectionPoint(*events, &point), "FindConnectionPoint");
    return point;
}

} // namespace vm::com
