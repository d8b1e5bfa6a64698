#pragma once

namespace vm {

struct Program;
class MainView;

// Starts the host, which is not running, with a database the user picks on
// the QuickSwitch window: the host's own start-up values make it open the
// database by itself, and the logon companion answers its login window.
// Failures are reported here; the caller ends the program either way.
void StartACT_mode(Program& program, MainView& view);

} // namespace vm
