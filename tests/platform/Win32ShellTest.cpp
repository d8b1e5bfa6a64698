#ifdef _WIN32

#include "platform/win32/Win32Shell.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace vm {
namespace {

// A file type of the test's own, registered where wine looks for classes
// (the machine's: wine does not merge the user's).
class Win32ShellTest : public ::testing::Test {
protected:
    Win32ShellTest() {
        setDefault(".vmtest", "VelmarisTest.File");
        setDefault("VelmarisTest.File\\shell\\open\\command",
                   "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
    }
    ~Win32ShellTest() override {
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.vmtest");
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\VelmarisTest.File");
    }

    static void setDefault(const std::string& key, const std::string& value) {
        ASSERT_EQ(::RegSetKeyValueA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + key).c_str(),
                                    nullptr, REG_SZ, value.c_str(),
                                    static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }

    test::TempDir dir;
    Win32Shell shell;
};

TEST_F(Win32ShellTest, FindsTheProgramOfARegisteredTypeAndTellsNoneFromFailure) {
    test::writeBytes(dir.file("Sales.vmtest"), "x");
    test::writeBytes(dir.file("Sales.vmnone"), "x");
    const FileProgram found = shell.programFor(dir.file("Sales.vmtest"));
    ASSERT_EQ(found.status, FileProgram::Status::Found);
    std::string path = found.path;
    ::CharLowerA(path.data()); // the shell may answer in any letter case
    EXPECT_NE(path.find("notepad.exe"), std::string::npos) << found.path;
    EXPECT_EQ(shell.programFor(dir.file("Sales.vmnone")).status,
              FileProgram::Status::NoneRegistered);
    EXPECT_EQ(shell.programFor(dir.file("Missing.vmtest")).status, FileProgram::Status::Failed);
    // Nothing to start: no window of anyone's opens.
    EXPECT_FALSE(shell.open(dir.file("Missing.vmtest"), ""));
    EXPECT_FALSE(shell.start(dir.file("missing.exe"), ""));

    // What the shell sees is what exists, files and folders alike.
    EXPECT_TRUE(pathExists(dir.file("Sales.vmtest")));
    EXPECT_TRUE(pathExists(dir.path().string()));
    EXPECT_FALSE(pathExists(dir.file("Missing.vmtest")));
    EXPECT_FALSE(pathExists(""));
}

} // namespace
} // namespace vm

#endif
