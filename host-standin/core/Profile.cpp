#include "Profile.h"

#include "FilePaths.h"
#include "Json.h"
#include "platform/LockedFile.h"
#include "settings/NameFolding.h"

#include <algorithm>
#include <stdexcept>

namespace standin::core {

namespace {

Json viewsToJson(const std::set<int>& views) {
    Json::Array array;
    for (int view : views)
        array.emplace_back(view);
    return array;
}

std::set<int> viewsFromJson(const Json& value) {
    std::set<int> views;
    if (const Json::Array* array = value.array()) {
        for (const Json& view : *array) {
            if (const std::int64_t* n = view.number())
                views.insert(static_cast<int>(*n));
        }
    }
    return views;
}

std::string textFrom(const Json& value) {
    const std::string* text = value.text();
    return text ? *text : std::string();
}

Json commandToJson(const AuxCommand& c) {
    return Json::Object{{"name", c.name},
                        {"program", c.program},
                        {"workingFolder", c.workingFolder},
                        {"caption", c.caption},
                        {"toolTip", c.toolTip},
                        {"smallIcon", c.smallIcon},
                        {"largeIcon", c.largeIcon},
                        {"commandType", c.commandType},
                        {"toolbar", viewsToJson(c.toolbarViews)},
                        {"toolsMenu", viewsToJson(c.toolsMenuViews)}};
}

AuxCommand commandFromJson(const Json& o) {
    const std::int64_t* type = o["commandType"].number();
    return {textFrom(o["name"]),          textFrom(o["program"]),
            textFrom(o["workingFolder"]), textFrom(o["caption"]),
            textFrom(o["toolTip"]),       textFrom(o["smallIcon"]),
            textFrom(o["largeIcon"]),     type ? static_cast<int>(*type) : 1,
            viewsFromJson(o["toolbar"]),  viewsFromJson(o["toolsMenu"])};
}

} // namespace

AuxCommand* Profile::findCommand(const std::string& name) {
    const std::string folded = vm::foldedUtf8(name);
    auto it = std::find_if(auxCommands.begin(), auxCommands.end(),
                           [&](const AuxCommand& c) { return vm::foldedUtf8(c.name) == folded; });
    return it == auxCommands.end() ? nullptr : &*it;
}

const AuxCommand* Profile::findCommand(const std::string& name) const {
    return const_cast<Profile*>(this)->findCommand(name);
}

Profile ProfileFile::load(std::string& problem) const {
    const vm::FileContents contents = vm::readWholeFile(path_);
    if (contents.status == vm::ReadStatus::Missing)
        return {};
    Json document;
    std::string why = "unreadable";
    if (contents.status == vm::ReadStatus::Ok) {
        try {
            document = Json::parse(contents.bytes);
            why = "not a JSON object";
        } catch (const std::runtime_error& error) {
            why = error.what();
        }
    }
    if (!document.object()) {
        problem = path_ + " could not be read (" + why + "); the host starts with defaults.";
        return {};
    }
    Profile profile{textFrom(document["defaultContactLayout"]),
                    textFrom(document["defaultGroupLayout"]),
                    textFrom(document["startupMacro"]),
                    textFrom(document["lastUserName"]),
                    {}};
    if (const Json::Array* commands = document["auxCommands"].array()) {
        for (const Json& command : *commands)
            profile.auxCommands.push_back(commandFromJson(command));
    }
    return profile;
}

bool ProfileFile::save(const Profile& profile) const {
    Json::Array commands;
    for (const AuxCommand& command : profile.auxCommands)
        commands.push_back(commandToJson(command));
    const Json o = Json::Object{{"defaultContactLayout", profile.defaultContactLayout},
                                {"defaultGroupLayout", profile.defaultGroupLayout},
                                {"startupMacro", profile.startupMacro},
                                {"lastUserName", profile.lastUserName},
                                {"auxCommands", commands}};
    const std::string bytes = o.toIndentedText();
    if (!vm::makeDirectories(textOf(pathOf(path_).parent_path())))
        return false;
    return vm::editFile(path_, [&](const std::optional<std::string>&) {
               return std::optional(bytes);
           }) != vm::EditResult::Failed;
}

} // namespace standin::core
