#pragma once

#include <windows.h>

#include <oaidl.h>

namespace standin::win {

// The control's class as a type library describes it: a coclass whose
// default source is the events interface `events`, made in memory: the
// control ships no type library.
HRESULT classTypeInfo(const IID& control, const IID& events, ITypeInfo** out);

} // namespace standin::win
