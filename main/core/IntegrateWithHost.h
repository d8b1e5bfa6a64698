#pragma once

#include "host/HostInterface.h"

#include <array>
#include <memory>
#include <string>

namespace vm {

struct Program;
class MainStartup;

// The command that starts Velmaris, as the host registers it: its program,
// folder, captions and the two icon files beside the program.
HostAuxCommand velmarisCommand(const Program& program, const std::string& programFile);

// The integrate dialog's logic: twelve boxes, one per host view on the
// toolbar (0 to 5) and in the Tools menu (6 to 11), each change made in the
// host at once.
class IntegrateWithHost {
public:
    static constexpr int kBoxes = 12;

    // `programFile`: the running program's own file, which the host starts.
    IntegrateWithHost(Program& program, MainStartup& startup, std::string programFile);

    // Reads the boxes from the host; a failure is reported and leaves the
    // boxes read so far.
    void Form_Load();
    const std::array<bool, kBoxes>& boxes() const { return boxes_; }

    // The user ticked or unticked box n. The box shows the host's state
    // afterwards (a failing call leaves it as the host has it).
    void chkScreen_Click(int n, bool ticked);
    // Close: the failure message, or the restart question; on Yes the host
    // is restarted through the main window's unload step. The dialog goes
    // away afterwards in every case.
    void cmdOK_Click();

private:
    static int viewOf(int box) { return box < 6 ? box + 1 : box - 5; }
    bool registered();
    bool inHost(int box);
    std::int32_t change(int n, bool ticked);
    void tellFailure();

    Program& program_;
    MainStartup& startup_;
    std::string programFile_;
    std::shared_ptr<HostAuxCommands> aux_;
    std::array<bool, kBoxes> boxes_{};
    bool changed_ = false;
    std::int32_t lastResult_ = 0;
};

} // namespace vm
