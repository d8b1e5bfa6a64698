#include "platform/SecureWipe.h"

#include <windows.h>

namespace vm {

void secureWipe(void* data, std::size_t size) {
    ::SecureZeroMemory(data, size);
}

} // namespace vm
