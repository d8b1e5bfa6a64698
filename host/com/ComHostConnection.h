#pragma once

#include "host/HostInterface.h"

namespace vm {

// The host's registered automation classes, reached late-bound through
// IDispatch. The calling thread must be in a single-threaded apartment
// (ComApartment) for as long as it uses what this makes.
class ComHostConnection : public HostConnection {
public:
    std::shared_ptr<HostApplication> createApplication() override;
    std::shared_ptr<HostAuxCommands> createAuxCommands() override;
    std::shared_ptr<HostEventControl> createEventControl() override;
};

// The calling thread's COM apartment, single-threaded so that the host's
// events arrive through the thread's own message loop.
class ComApartment {
public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

private:
    bool entered_ = false;
};

} // namespace vm
