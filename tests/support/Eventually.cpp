#include "support/Eventually.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <thread>
#endif

namespace vm::test {
namespace {

void betweenChecks() {
#ifdef _WIN32
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
#endif
}

} // namespace

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        betweenChecks();
    }
    return true;
}

bool waitFor(std::string_view what, const std::function<bool()>& condition,
             std::chrono::milliseconds limit) {
    if (eventually(condition, limit))
        return true;
    ADD_FAILURE() << "waited " << limit.count() << " ms in vain for " << what;
    return false;
}

} // namespace vm::test
