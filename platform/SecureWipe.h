#pragma once

#include <cstddef>

namespace vm {

// Overwrites `size` bytes with zeros in a way the compiler may not drop as a
// dead store, although nothing reads them again.
void secureWipe(void* data, std::size_t size);

} // namespace vm
