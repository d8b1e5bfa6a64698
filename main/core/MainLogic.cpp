#include "main/core/MainLogic.h"

namespace vm {

MainLogic::MainLogic(Program& program, MainView& view, OpenDatabase& opener,
                     SingleInstance& instance)
    : menus(program, view), list(program, view, opener),
      startup(program, view, list, menus, instance) {
    menus.attach(startup, list);
    startup.ActEvent1->OnActUserWantsToClose([this] { menus.ActEvent1_OnActUserWantsToClose(); });
}

} // namespace vm
