#ifdef _WIN32

#include "settings/win32/Win32HostRegistry.h"

#include "platform/win32/AnsiText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <windows.h>

namespace vm {
namespace {

class Win32HostRegistryTest : public ::testing::Test {
protected:
    ~Win32HostRegistryTest() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str()); }

    std::optional<std::string> text(const char* name) const {
        char buffer[512];
        DWORD size = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                           &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(buffer);
    }

    const std::string base = "Software\\VelmarisTest\\" + std::to_string(::GetCurrentProcessId());
    const std::string key = base + "\\Database";
    Win32HostRegistry registry;
};

TEST_F(Win32HostRegistryTest, WritesAnsiTextAndNumbersThatTheApiAndRegReadBack) {
    const auto root = RegistryRoot::CurrentUser;
    EXPECT_FALSE(registry.keyExists(root, key));
    EXPECT_FALSE(registry.keyExists(root, ""));
    ASSERT_TRUE(
        registry.writeValue(root, key, "Last DB Name", std::string("C:\\Data\\Caf\xC3\xA9.dbf")));
    ASSERT_TRUE(registry.writeValue(root, key, "Use Last DB", std::uint32_t{1}));
    EXPECT_TRUE(registry.keyExists(root, key));
    EXPECT_EQ(text("Last DB Name"), win32::toAnsi("C:\\Data\\Caf\xC3\xA9.dbf"));
    if (::GetACP() == 1252) {
        EXPECT_EQ(text("Last DB Name"), "C:\\Data\\Caf\xE9.dbf");
    }
    DWORD number = 0;
    DWORD size = sizeof number;
    ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Use Last DB", RRF_RT_REG_DWORD,
                             nullptr, &number, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(number, 1u);
    EXPECT_EQ(std::system(("reg query \"HKCU\\" + key + "\" /v \"Use Last DB\" >NUL").c_str()), 0);

    // No look-alikes: what the code page lacks, and a NUL, are refused.
    EXPECT_FALSE(registry.writeValue(root, key, "Other", std::string("\xE4\xB8\xAD")));
    EXPECT_FALSE(registry.writeValue(root, key, "Other", std::string("a\0b", 3)));
    EXPECT_FALSE(text("Other"));
    EXPECT_TRUE(registry.createKey(root, key + "\\Child"));
    EXPECT_TRUE(registry.keyExists(root, key + "\\Child"));

    // What a stopped start puts back.
    EXPECT_EQ(registry.readValue(root, key, "Last DB Name"),
              RegistryData(std::string("C:\\Data\\Caf\xC3\xA9.dbf")));
    EXPECT_EQ(registry.readValue(root, key, "Use Last DB"), RegistryData(std::uint32_t{1}));
    EXPECT_TRUE(registry.deleteValue(root, key, "Use Last DB"));
    EXPECT_EQ(registry.readValue(root, key, "Use Last DB"), std::nullopt);
    EXPECT_TRUE(registry.deleteValue(root, key, "Use Last DB"));
    EXPECT_TRUE(registry.deleteValue(root, key + "\\Missing", "Use Last DB"));
}

} // namespace
} // namespace vm

#endif
