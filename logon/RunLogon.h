#pragma once

#include "logon/Form1.h"

#include <functional>

namespace vm::logon {

// The program's life: reads the hand-over from the user's store and, when
// there is something to type, lets `answer` open the window system and run
// the form with it. Failures are reported, never thrown.
void runLogon(Pacer& pacer, const std::function<void(Form1& form)>& answer);

} // namespace vm::logon
