#include "base/FailureReport.h"
#include "logon/RunLogon.h"
#include "logon/win32/Win32ErrorPrompter.h"
#include "logon/win32/Win32Pacer.h"
#include "platform/win32/Win32KeyTyper.h"
#include "platform/win32/Win32WindowSearch.h"

#include <windows.h>

int main() {
    // A failure of the program or of a drive shows no box that would wait,
    // on an unattended start, for someone to close it.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

    vm::logon::Win32ErrorPrompter prompter;
    vm::FailureReporter::install(&prompter, "logon");
    int exitCode = 0;
    // A failure to set up the pacer is reported too, rather than ending in
    // the C runtime's abort, which may show a box.
    vm::guarded({"Form1", "Sub", "Form_Load"}, [&] {
        vm::logon::Win32Pacer pacer;
        vm::logon::runLogon(pacer, [](vm::logon::Form1& form) {
            vm::win32::Win32WindowSearch search;
            vm::win32::Win32KeyTyper typer;
            form.run(search, typer);
        });
        exitCode = pacer.finish();
    });
    return exitCode;
}
