// Velmaris.exe's start-up checks of the host, as a Windows user meets them.
#include "e2e/road/RoadFixture.h"
#include "e2e/win32/WineSupport.h"

#include <windows.h>

namespace vm::test {
namespace {

class WineStart : public RoadFixture {
protected:
    WineStart() : RoadFixture({}) {}
};

TEST_F(WineStart, StartingTellsWhatTheHostLacks) {
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Please run ACT! before running Velmaris!");
    EXPECT_TRUE(velmarisEnds());

    startHost("");
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Please make sure a database is open or ACT! completely "
                               "closed before running Velmaris!");
    EXPECT_TRUE(velmarisEnds());
    ASSERT_TRUE(closeHosts());

    // A frame of the host's class that does not answer, as a host would
    // whose event control is not registered.
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = ::DefWindowProcA;
    frameClass.hInstance = ::GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "ACT3.0FrameClass";
    ::RegisterClassA(&frameClass);
    HWND deaf = ::CreateWindowA("ACT3.0FrameClass", "ACT!", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, frameClass.hInstance, nullptr);
    startVelmaris();
    EXPECT_EQ(answerMessage(), "Velmaris: Problem registering ACT! event. Please run actreg.exe in "
                               "your ACT! folder and try again.");
    EXPECT_TRUE(velmarisEnds());
    ::DestroyWindow(deaf);
    ::UnregisterClassA("ACT3.0FrameClass", frameClass.hInstance);
}

} // namespace
} // namespace vm::test
