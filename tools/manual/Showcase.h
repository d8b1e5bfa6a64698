#pragma once

#include "ShowcaseHost.h"
#include "base/Prompter.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace vm::manual {

// A message box during a picture means the showcase is not what the windows
// expect: the message is kept and the pictures fail with it.
class MessageRecorder : public Prompter {
public:
    Answer ask(std::string_view text, std::string_view caption, Buttons, Icon) override {
        messages.push_back(std::string(caption) + ": " + std::string(text));
        return Answer::Cancel;
    }
    std::vector<std::string> messages;
};

// Pictures open and start nothing.
class NoShell : public Shell {
public:
    bool open(const std::string&, const std::string&) override { return false; }
    bool start(const std::string&, const std::string&) override { return false; }
    FileProgram programFor(const std::string&) override {
        return {FileProgram::Status::NoneRegistered, {}};
    }
};

class OnlyInstance : public SingleInstance {
public:
    bool claim(const std::string&) override { return true; }
};

// Velmaris as a user of the demo list has it in one language: the demo
// settings file with its databases in a folder of the system's own form, the
// user's logon for the open database, and the host with that database open.
// Nothing outside a temporary folder is read or written.
class Showcase {
public:
    // `demoSettings`: the demo settings file as the sources hold it, its
    // databases' folder written @DEMO_DIR@.
    Showcase(const std::string& demoSettings, int language);
    ~Showcase();
    Showcase(const Showcase&) = delete;
    Showcase& operator=(const Showcase&) = delete;

    Program& program() { return program_; }
    PerUserStore& store() { return store_; }
    SingleInstance& instance() { return instance_; }
    MessageRecorder& messages() { return prompter_; }

    // Where the settings file is said to lie: in the databases' folder, not
    // in the temporary one. Only a window that shows the path may be given it.
    static std::string shownSettingsFile();

    // The database the pictures of one database show.
    static constexpr const char* kShownDatabase = "Sales Team";

private:
    std::string writeSettingsFile(const std::string& demoSettings);

    QTemporaryDir folder_;
    MemoryPerUserStore store_;
    LangTable lang_;
    MessageRecorder prompter_;
    NoShell shell_;
    OnlyInstance instance_;
    ShowcaseHost host_;
    RegistryFileBackend registry_;
    Program program_;
};

} // namespace vm::manual
