#pragma once

#include <cstddef>
#include <vector>

namespace vm {

// Overwrites `size` bytes with zeros in a way the compiler may not drop as a
// dead store, although nothing reads them again.
void secureWipe(void* data, std::size_t size);

// Wipes the elements of a vector of plain values when the scope ends,
// however it ends, before the vector gives its buffer back.
template <class T> class WipeElementsOnExit {
public:
    explicit WipeElementsOnExit(std::vector<T>& elements) : elements_(elements) {}
    WipeElementsOnExit(const WipeElementsOnExit&) = delete;
    WipeElementsOnExit& operator=(const WipeElementsOnExit&) = delete;
    ~WipeElementsOnExit() { secureWipe(elements_.data(), elements_.size() * sizeof(T)); }

private:
    std::vector<T>& elements_;
};

} // namespace vm
