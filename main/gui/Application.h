#pragma once

#include <functional>

class QWidget;

namespace vm {

// Runs the Velmaris program: its services, its main window and its event
// loop. `loaded`, when given, sees the main window once its start-up has run.
int runVelmaris(int argc, char* argv[], const std::function<void(QWidget&)>& loaded = {});

} // namespace vm
