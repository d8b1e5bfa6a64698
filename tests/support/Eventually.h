#pragma once

#include <chrono>
#include <functional>
#include <string_view>

namespace vm::test {

// The one bounded wait of the tests: checks `condition` until it holds or
// `limit` has passed; true when it held. Between checks the thread's windows
// keep answering (its messages are run under Windows, where a COM call or a
// window of the test's own may wait on them).
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(30));

// As eventually, and a test failure naming `what` when it did not hold in
// time, so that a run on a loaded machine says what it waited for.
bool waitFor(std::string_view what, const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(30));

} // namespace vm::test
