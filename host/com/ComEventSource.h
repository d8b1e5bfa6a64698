#pragma once

#include "host/com/ComDispatch.h"

#include <ocidl.h>

namespace vm::com {

// The connection point through which `control` raises its own events. A
// control says which interface those are through IProvideClassInfo2, else
// through its class's type information; it usually offers a point for
// property-change notifications as well, often first. Throws HostError when
// it raises no events.
ComPtr<IConnectionPoint> eventsPointOf(IUnknown* control);

} // namespace vm::com
