#pragma once

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/gui/frmMain.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"
#include "settings/SettingsSchema.h"

#include "TestSupport.h"
#include "support/FakeHost.h"
#include "support/ModalAnswer.h"
#include "support/QuietDoubles.h"
#include "support/SettingsBuilders.h"
#include "support/WidgetLookup.h"

// The window tests drive widgets of every kind.
#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace vm::test {

// What a window under test needs of the program: a settings file in a fresh
// folder, a host with a database open, and failure reports recorded in
// `prompter`. Each test starts one with startProgram (a user who has started
// this version before) or startFreshProgram, and ends it with stopProgram.
class WindowTest : public QObject {
protected:
    void startFreshProgram() {
        dir = std::make_unique<TempDir>();
        store = MemoryPerUserStore();
        host.state = FakeHostState();
        host.calls.clear();
        host.state.userName = "Admin";
        host.state.appPath = dir->file("host");
        registry = std::make_unique<RegistryFileBackend>(RegistryFile(dir->file("host.reg")));
        program = std::make_unique<Program>(store, lang, prompter, shell, host, *registry,
                                            dir->path().string());
        prompter.asked.clear();
        opener.calls.clear();
    }

    void startProgram(const std::string& settingsFile) {
        startFreshProgram();
        // Not checked: the memory store takes every write.
        (void)startedBefore(store);
        writeBytes(iniPath(), settingsFile);
        program->ini.sIniPath = iniPath();
    }

    // A main window with its start-up run; its openings are only recorded.
    std::unique_ptr<frmMain> loadedWindow() {
        auto loaded = std::make_unique<frmMain>(*program, instance, &opener);
        loaded->load();
        return loaded;
    }
    void startMainWindow() { window = loadedWindow(); }

    void stopProgram() { window.reset(); }

    std::string iniPath() const { return dir->file("Velmaris.ini"); }

    std::unique_ptr<TempDir> dir;
    MemoryPerUserStore store;
    FakeHost host;
    std::unique_ptr<RegistryFileBackend> registry;
    std::unique_ptr<Program> program;
    std::unique_ptr<frmMain> window;
    CapturedReports reports;
    RecordingPrompter& prompter = reports.prompter;
    RecordingShell shell;
    FakeSingleInstance instance;
    RecordingOpener opener;
    LangTable lang;
};

} // namespace vm::test
