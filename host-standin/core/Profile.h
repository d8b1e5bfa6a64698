#pragma once

#include <set>
#include <string>
#include <vector>

namespace standin::core {

// A command registered by another program, and where the host offers it.
struct AuxCommand {
    std::string name;
    std::string program;
    std::string workingFolder;
    std::string caption;
    std::string toolTip;
    std::string smallIcon;
    std::string largeIcon;
    int commandType = 1;
    std::set<int> toolbarViews;
    std::set<int> toolsMenuViews;
};

// What the host keeps between runs for its user.
struct Profile {
    std::string defaultContactLayout;
    std::string defaultGroupLayout;
    std::string startupMacro;
    std::string lastUserName;
    std::vector<AuxCommand> auxCommands;

    // Names compare without regard to letter case.
    AuxCommand* findCommand(const std::string& name);
    const AuxCommand* findCommand(const std::string& name) const;
};

// The profile as a JSON file of the Linux host's form, in the host's folder.
class ProfileFile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // A missing file is an empty profile; a damaged one is an empty profile
    // and a description of the damage in `problem`.
    Profile load(std::string& problem) const;
    // Creates the folder as needed; false when the file could not be written.
    bool save(const Profile& profile) const;

private:
    std::string path_;
};

} // namespace standin::core
