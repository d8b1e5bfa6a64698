#pragma once

#include "Dispatcher.h"

namespace standin::win {

// "ACTOLE.AUXCMDS": other programs' commands on the host's toolbars and
// Tools menus.
class AuxCommandsObject : public HostObject {
public:
    explicit AuxCommandsObject(core::HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

} // namespace standin::win
