#pragma once

#include "main/core/OpenDatabase.h"
#include "settings/SettingsSchema.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace vm {

struct Program;
class MainView;
class HostView;
class HostRegistry;

// Connects the program to the running host once at start-up: the
// application object, its views and preferences. (The file-type table is a
// constant of the settings schema.)
void Create_object(Program& program);

// The path up to and including its last separator; empty for a bare name.
std::string ExtractPath(const std::string& sFile);

// Sets the host's default folder for each file type a location is given for;
// the others keep the host's own.
void writeFileLocations(HostRegistry& registry,
                        const std::array<std::string, schema::kFileTypeCount>& locations);

// Hands the database's logon to the companion (`usePassword` "1" or "0", its
// user name and enciphered password) and starts the companion, which waits
// for the host's login window by itself. A hand-over the per-user store
// refuses raises the standard failure naming the store, and the companion is
// not started: it would type the logon left from another database.
void handOverLogon(Program& program, const std::string& name, std::string_view usePassword);

// Opens a database of the list in the running host: its layouts, file
// locations and logon first, then the database, its view and its macro; the
// host's own defaults are put back and the program ends.
class DatabaseOpening : public OpenDatabase {
public:
    DatabaseOpening(Program& program, MainView& view);
    void Open_DB(const std::string& sDBToOpen, int iView, bool bFromQuickSwitch) override;

private:
    bool loadDatabase(const std::string& name, bool fromQuickSwitch);
    void prepareHost(const std::string& name);
    void openView(int view);
    void runMacro();
    void restoreHostDefaults();
    void backToTheList();

    Program& program_;
    MainView& view_;
    // Kept until the process ends, as the host expects.
    std::shared_ptr<HostView> openedView_;
};

} // namespace vm
