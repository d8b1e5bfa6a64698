#pragma once

#include <functional>

class QWidget;

namespace vm {

// Runs the Velmaris program: its services, its main window and its event
// loop. `built`, when given, sees the main window before its start-up runs
// (which may show the QuickSwitch window first, modally).
int runVelmaris(int argc, char* argv[], const std::function<void(QWidget&)>& built = {});

} // namespace vm
