// Where a window stored on the desktop of another day goes on today's.
#include "main/core/ScreenPlacement.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

// A laptop's screen with its task bar below, and a second screen to its
// right that is a little taller and starts higher.
const ScreenRect kLaptop{0, 0, 1024, 728};
const ScreenRect kRight{1024, -100, 1280, 1024};

TEST(ScreenPlacement, AWindowThatFitsWhereItWasStaysThere) {
    const std::vector<ScreenRect> screens{kLaptop, kRight};
    for (const ScreenRect& stored :
         {ScreenRect{0, 0, 324, 160}, ScreenRect{700, 568, 324, 160},
          ScreenRect{1500, -100, 324, 160}, ScreenRect{2280, 764, 24, 160}})
        EXPECT_EQ(placeOnScreens(stored, screens), stored) << stored.left << "," << stored.top;
    EXPECT_EQ(placeOnScreens({5000, 5000, 96, 160}, {}), (ScreenRect{5000, 5000, 96, 160}))
        << "no screens to go by";
}

TEST(ScreenPlacement, AWindowOffEveryScreenComesWholeOntoTheNearest) {
    // The second screen unplugged: the stored place lies right of the laptop.
    EXPECT_EQ(placeOnScreens({2500, 300, 96, 160}, {kLaptop}), (ScreenRect{928, 300, 96, 160}));
    // Beyond the bottom right corner, and above and left of the desktop.
    EXPECT_EQ(placeOnScreens({3000, 2000, 96, 160}, {kLaptop}), (ScreenRect{928, 568, 96, 160}));
    EXPECT_EQ(placeOnScreens({-400, -900, 96, 160}, {kLaptop}), (ScreenRect{0, 0, 96, 160}));
    // Half under the laptop's task bar.
    EXPECT_EQ(placeOnScreens({100, 650, 96, 160}, {kLaptop}), (ScreenRect{100, 568, 96, 160}));
}

TEST(ScreenPlacement, TheNearestScreenIsTheOneHoldingMostOfTheWindowOrClosestToIt) {
    const std::vector<ScreenRect> screens{kLaptop, kRight};
    // Across the seam, mostly on the second screen.
    EXPECT_EQ(placeOnScreens({1000, 50, 96, 160}, screens), (ScreenRect{1024, 50, 96, 160}));
    // Below the laptop and the second screen, nearer the second's lower edge.
    EXPECT_EQ(placeOnScreens({1100, 1000, 96, 160}, screens), (ScreenRect{1100, 764, 96, 160}));
    // Far right of both: only the second screen is near.
    EXPECT_EQ(placeOnScreens({4000, 0, 96, 160}, screens), (ScreenRect{2208, 0, 96, 160}));
}

TEST(ScreenPlacement, AWindowBiggerThanItsScreenIsMadeToFit) {
    EXPECT_EQ(placeOnScreens({0, 0, 2000, 1300}, {kLaptop}), (ScreenRect{0, 0, 1024, 728}));
    EXPECT_EQ(placeOnScreens({300, 0, 700, 900}, {kLaptop}), (ScreenRect{300, 0, 700, 728}));
}

} // namespace
