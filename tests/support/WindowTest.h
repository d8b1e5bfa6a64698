#pragma once

#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/gui/frmMain.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"
#include "settings/SettingsSchema.h"

#include "TestSupport.h"
#include "support/FakeHost.h"
#include "support/QuietDoubles.h"

#include <QObject>

#include <memory>

namespace vm::test {

// What a window under test needs of the program: a user who has started
// this version before, a settings file in a fresh folder, a host with a
// database open, and failure reports recorded in `prompter`. Each test
// starts one with startProgram and ends it with stopProgram.
class WindowTest : public QObject {
protected:
    void startProgram(const std::string& settingsFile) {
        dir = std::make_unique<TempDir>();
        store = MemoryPerUserStore();
        // Not checked: the memory store takes every write.
        (void)store.SaveSetting(schema::kSettings, schema::kInstalled, "1");
        (void)store.SaveSetting(schema::kSettings, schema::kVersion, schema::programVersionText());
        writeBytes(iniPath(), settingsFile);
        host.state.userName = "Admin";
        host.state.appPath = dir->file("host");
        registry = std::make_unique<RegistryFileBackend>(RegistryFile(dir->file("host.reg")));
        program = std::make_unique<Program>(store, lang, prompter, shell, host, *registry,
                                            dir->path().string());
        program->ini.sIniPath = iniPath();
        prompter.asked.clear();
        FailureReporter::install(&prompter, "Velmaris");
    }

    // The main window with its start-up run.
    void startMainWindow() {
        window = std::make_unique<frmMain>(*program, instance);
        window->load();
    }

    void stopProgram() {
        window.reset();
        FailureReporter::install(nullptr, "Velmaris");
    }

    std::string iniPath() const { return dir->file("Velmaris.ini"); }

    std::unique_ptr<TempDir> dir;
    MemoryPerUserStore store;
    FakeHost host;
    std::unique_ptr<RegistryFileBackend> registry;
    std::unique_ptr<Program> program;
    std::unique_ptr<frmMain> window;
    RecordingPrompter prompter;
    NoShell shell;
    AlwaysFirst instance;
    LangTable lang;
};

} // namespace vm::test
