#ifdef _WIN32

#include "platform/CaptionColours.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace vm {
namespace {

// The user's title bar colours, changed for the test and put back after it.
class Win32CaptionColoursTest : public ::testing::Test {
protected:
    Win32CaptionColoursTest()
        : saved_{::GetSysColor(COLOR_ACTIVECAPTION), ::GetSysColor(COLOR_INACTIVECAPTION)} {}
    ~Win32CaptionColoursTest() override { setCaptionColours(saved_[0], saved_[1]); }

    static bool setCaptionColours(COLORREF active, COLORREF inactive) {
        const INT elements[] = {COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION};
        const COLORREF values[] = {active, inactive};
        return ::SetSysColors(2, elements, values) != 0;
    }

private:
    COLORREF saved_[2];
};

TEST_F(Win32CaptionColoursTest, AreTheUsersTitleBarColoursAsTheyAreNow) {
    ASSERT_TRUE(setCaptionColours(RGB(0x12, 0x34, 0x56), RGB(0xAB, 0xCD, 0xEF)));
    const auto colours = makeCaptionColours();
    EXPECT_EQ(colours->active(), (SystemColour{0x12, 0x34, 0x56}));
    EXPECT_EQ(colours->inactive(), (SystemColour{0xAB, 0xCD, 0xEF}));
    ASSERT_TRUE(setCaptionColours(RGB(0x65, 0x43, 0x21), RGB(0x10, 0x20, 0x30)));
    EXPECT_EQ(colours->active(), (SystemColour{0x65, 0x43, 0x21}));
}

} // namespace
} // namespace vm

#endif
