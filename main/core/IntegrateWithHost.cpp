#include "main/core/IntegrateWithHost.h"

#include "base/FailureReport.h"
#include "base/Utf8Path.h"
#include "main/core/LangText.h"
#include "main/core/MainStartup.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "platform/Paths.h"

#include "Version.h"

namespace vm {

namespace {

Procedure handler(std::string_view name) {
    return {"frmIntegrateNew", "Sub", name};
}

} // namespace

HostAuxCommand velmarisCommand(const Program& program, const std::string& programFile) {
    const std::string title(kProgramTitle);
    // The icons lie beside the program, named after it.
    const std::string stem = program.programFile(utf8::fromPath(utf8::toPath(programFile).stem()));
    return {title,
            programFile,
            program.programFolder,
            title,
            program.lang[txt::kClickToLaunch] + " " + title,
            stem + ".ico",
            stem + "32.ico",
            1};
}

IntegrateWithHost::IntegrateWithHost(Program& program, MainStartup& startup,
                                     std::string programFile)
    : program_(program), startup_(startup), programFile_(std::move(programFile)) {}

void IntegrateWithHost::Form_Load() {
    guarded(handler("Form_Load"), [&] {
        aux_ = program_.host.createAuxCommands();
        for (int n = 0; n < kBoxes; ++n)
            boxes_[n] = inHost(n);
    });
}

void IntegrateWithHost::tellFailure() {
    program_.tell(program_.lang[txt::kIntegrationFailed]);
}

bool IntegrateWithHost::registered() {
    if (aux_->AuxCommandExists(std::string(kProgramTitle)) != 0)
        return true;
    lastResult_ = aux_->AddAuxCommand(velmarisCommand(program_, programFile_));
    if (lastResult_ != 0)
        tellFailure();
    return lastResult_ == 0;
}

std::int32_t IntegrateWithHost::change(int n, bool ticked) {
    const std::string title(kProgramTitle);
    const int view = viewOf(n);
    if (n < 6)
        return ticked ? aux_->AddAuxCommandToToolbar(view, title)
                      : aux_->RemoveAuxCommandFromToolbar(view, title);
    return ticked ? aux_->AddAuxCommandToToolsMenu(view, title)
                  : aux_->RemoveAuxCommandFromToolsMenu(view, title);
}

bool IntegrateWithHost::inHost(int n) {
    const std::string title(kProgramTitle);
    return (n < 6 ? aux_->AuxCommandExistsInToolbar(viewOf(n), title)
                  : aux_->AuxCommandExistsInToolsMenu(viewOf(n), title)) != 0;
}

void IntegrateWithHost::chkScreen_Click(int n, bool ticked) {
    const bool done = guarded(handler("chkScreen_Click"), false, [&] {
        if (!aux_)
            throwObjectNotSet();
        changed_ = true;
        registered();
        lastResult_ = change(n, ticked);
        boxes_[n] = ticked;
        return true;
    });
    // After a call that failed outright, the box shows what the host has.
    if (!done && aux_)
        guarded(handler("chkScreen_Click"), [&] { boxes_[n] = inHost(n); });
}

void IntegrateWithHost::cmdOK_Click() {
    guarded(handler("cmdOK_Click"), [&] {
        if (!changed_)
            return;
        if (lastResult_ != 0) {
            tellFailure();
            return;
        }
        const LangTable& t = program_.lang;
        const Prompter::Answer answer = program_.prompter.ask(
            t[txt::kRestartHostNeeded] + "\r\n" + t[txt::kRestartHostNow], kProgramTitle,
            Prompter::Buttons::YesNo, Prompter::Icon::Question);
        if (answer != Prompter::Answer::Yes)
            return;
        program_.bRestartHost = true;
        aux_.reset();
        // Run directly: the main window stays loaded, hidden, until its timer ends
        // the program once the host is on its way back.
        startup_.Form_Unload();
    });
}

} // namespace vm
