#include "AuxCommandsObject.h"

namespace standin::win {

using namespace standin::core;

namespace {

enum AuxMember : DISPID {
    kAddAuxCommand = 1,
    kAuxCommandExists,
    kAuxCommandExistsInToolbar,
    kAuxCommandExistsInToolsMenu,
    kAddAuxCommandToToolbar,
    kRemoveAuxCommandFromToolbar,
    kAddAuxCommandToToolsMenu,
    kRemoveAuxCommandFromToolsMenu,
};

AuxCommand commandFrom(Call& call) {
    AuxCommand command;
    for (std::string* text :
         {&command.name, &command.program, &command.workingFolder, &command.caption,
          &command.toolTip, &command.smallIcon, &command.largeIcon})
        *text = call.text();
    command.commandType = call.number();
    return command;
}

} // namespace

AuxCommandsObject::AuxCommandsObject(HostState& host)
    : HostObject(host, "/AuxCommands",
                 {{L"AddAuxCommand", kAddAuxCommand, 8},
                  {L"AuxCommandExists", kAuxCommandExists, 1},
                  {L"AuxCommandExistsInToolbar", kAuxCommandExistsInToolbar, 2},
                  {L"AuxCommandExistsInToolsMenu", kAuxCommandExistsInToolsMenu, 2},
                  {L"AddAuxCommandToToolbar", kAddAuxCommandToToolbar, 2},
                  {L"RemoveAuxCommandFromToolbar", kRemoveAuxCommandFromToolbar, 2},
                  {L"AddAuxCommandToToolsMenu", kAddAuxCommandToToolsMenu, 2},
                  {L"RemoveAuxCommandFromToolsMenu", kRemoveAuxCommandFromToolsMenu, 2}}) {}

Answer AuxCommandsObject::call(const Member& member, Call& call) {
    if (member.id == kAddAuxCommand)
        return {host_.addAuxCommand(commandFrom(call))};
    if (member.id == kAuxCommandExists)
        return {host_.auxCommandExists(call.text()) ? 1 : 0};
    const int view = call.number();
    const std::string name = call.text();
    const bool toolbar = member.id == kAuxCommandExistsInToolbar ||
                         member.id == kAddAuxCommandToToolbar ||
                         member.id == kRemoveAuxCommandFromToolbar;
    const auto place = toolbar ? HostState::Place::Toolbar : HostState::Place::ToolsMenu;
    switch (member.id) {
    case kAuxCommandExistsInToolbar:
    case kAuxCommandExistsInToolsMenu:
        return {host_.auxCommandPlaced(place, view, name) ? 1 : 0};
    case kAddAuxCommandToToolbar:
    case kAddAuxCommandToToolsMenu:
        return {host_.placeAuxCommand(place, view, name, true)};
    default:
        return {host_.placeAuxCommand(place, view, name, false)};
    }
}

} // namespace standin::win
