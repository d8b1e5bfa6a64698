#pragma once

#include "host/HostInterface.h"
#include "host/com/ComDispatch.h"

#include <ocidl.h>

#include <optional>

namespace vm {

class EventSink;

// The host's event control, created in this process and reached by dispatch
// number; its close event comes through a connection point and, the
// apartment being single-threaded, on the thread that subscribed.
class ComEventControl : public HostEventControl {
public:
    ComEventControl();
    ~ComEventControl() override;

    std::int32_t Dispatch1(std::int32_t zero) override;
    void Dispatch2() override;
    bool Dispatch3() override;

private:
    friend class EventSink;
    void connect();
    void disconnect();

    // Empty when the control is not registered on this machine.
    std::optional<com::Dispatch> control_;
    com::ComPtr<IConnectionPoint> point_;
    com::ComPtr<EventSink> sink_;
    DWORD cookie_ = 0;
};

} // namespace vm
