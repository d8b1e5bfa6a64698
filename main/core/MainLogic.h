#pragma once

#include "main/core/DatabaseList.h"
#include "main/core/MainMenus.h"
#include "main/core/MainStartup.h"

namespace vm {

struct Program;
class MainView;
class OpenDatabase;
class SingleInstance;

// The main program's logic, made and joined in one place: the menus, the
// list and the load step, which holds the host's event control. The window
// and every test that drives the logic make it here, so that they are joined
// the same way. The parts refer to each other: it neither copies nor moves.
class MainLogic {
public:
    MainLogic(Program& program, MainView& view, OpenDatabase& opener, SingleInstance& instance);
    MainLogic(const MainLogic&) = delete;
    MainLogic& operator=(const MainLogic&) = delete;

    MainMenus menus;
    DatabaseList list;
    MainStartup startup;
};

} // namespace vm
