#pragma once

#include "Dispatcher.h"
#include "HostState.h"

namespace standin::win {

// "ACTOLE.AUXCMDS": other programs' commands on the host's toolbars and
// Tools menus.
class AuxCommandsObject : public Dispatcher {
public:
    explicit AuxCommandsObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    HostState& host_;
};

} // namespace standin::win
