#pragma once

#include <windows.h>

namespace standin::win {

// What the host's installer would write: its two classes as a local server,
// the ".dbf" file type opening with the host, and the event control in
// actevent.dll beside the program. Both return the first failure.
HRESULT registerServer();
HRESULT unregisterServer();

} // namespace standin::win
