#include "platform/SecureWipe.h"

#include <string.h>

namespace vm {

void secureWipe(void* data, std::size_t size) {
    explicit_bzero(data, size);
}

} // namespace vm
