#include "base/FailureReport.h"
#include "logon/RunLogon.h"
#include "logon/StandardErrorPrompter.h"
#include "logon/SystemPacer.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyTyper.h"
#include "platform/x11/X11WindowSearch.h"

#include <sys/prctl.h>

int main() {
    // Another program of the same user could otherwise read the clear
    // password from a core dump or by attaching a debugger.
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);

    vm::logon::StandardErrorPrompter prompter;
    vm::FailureReporter::install(&prompter, "logon");
    vm::logon::SystemPacer pacer;
    vm::logon::runLogon(pacer, [](vm::logon::Form1& form) {
        vm::x11::X11Display display;
        vm::x11::X11WindowSearch search(display);
        vm::x11::X11KeyTyper typer(display);
        form.run(search, typer);
    });
    pacer.endAsSignalled();
    return 0;
}
