#pragma once

#include "host/HostInterface.h"

#include <string>

namespace vm::manual {

// The host as the manual's pictures show it: running, logged on, with one
// database of the demo list open and Velmaris on some of its toolbars and
// menus. It answers what the windows ask when they load and refuses every
// change, since taking a picture changes nothing.
class ShowcaseHost : public HostConnection {
public:
    // `folder` holds the demo databases and serves as the host's folder for
    // every kind of file; `openDatabase` is the one the host has open.
    ShowcaseHost(std::string folder, std::string openDatabase);

    std::shared_ptr<HostApplication> createApplication() override;
    std::shared_ptr<HostAuxCommands> createAuxCommands() override;
    std::shared_ptr<HostEventControl> createEventControl() override;

private:
    std::string folder_;
    std::string openDatabase_;
};

} // namespace vm::manual
