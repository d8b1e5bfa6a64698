#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vm {
namespace {

// The same claims as two processes of one user make: a second holder of a
// name is refused until the first lets go.
TEST(SingleInstance, ASecondClaimIsRefusedUntilTheFirstEnds) {
    const std::string name =
        "VelmarisTest" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    auto first = makeSingleInstance();
    auto second = makeSingleInstance();
    ASSERT_TRUE(first->claim(name));
    EXPECT_TRUE(first->claim(name)) << "a holder keeps its claim";
    EXPECT_FALSE(second->claim(name));
    EXPECT_TRUE(second->claim(name + "Other"));
    first.reset();
    EXPECT_TRUE(makeSingleInstance()->claim(name));
}

} // namespace
} // namespace vm
