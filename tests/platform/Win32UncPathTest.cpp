#ifdef _WIN32

#include "platform/LockedFile.h"
#include "platform/Paths.h"

#include "TestSupport.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <optional>

namespace vm {
namespace {

// Wine's own name of a Windows path; nothing outside wine.
std::optional<std::string> unixNameOf(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName)
        return std::nullopt;
    const std::wstring wide(path.begin(), path.end());
    char* name = unixName(wide.c_str());
    if (!name)
        return std::nullopt;
    std::string found(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return found;
}

// Starts a command of the machine wine runs on. Wine gives no word of when
// such a program ends, so the caller waits for what it does.
bool startUnixShell(const std::string& command) {
    std::string line = "Z:\\bin\\sh -c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return true;
}

bool reachable(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The test's own folder shared as \\fileserver\<name>: under wine a share is
// a link in the prefix's dosdevices/unc/<server>/ folder. Each share has a
// name of its own, so that tests running at once keep apart.
class UncShare {
public:
    UncShare() {
        static int count = 0;
        name_ = "team" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++count);
        const char* prefix = std::getenv("WINEPREFIX");
        const std::optional<std::string> target = unixNameOf(dir_.path().string());
        if (!prefix || !target)
            return;
        const std::string server = std::string(prefix) + "/dosdevices/unc/fileserver";
        link_ = server + "/" + name_;
        if (!startUnixShell("mkdir -p '" + server + "' && ln -sfn '" + *target + "' '" + link_ +
                            "'") ||
            !test::eventually([&] { return reachable(shared("")); })) {
            ADD_FAILURE() << "the share " << shared("") << " could not be made at " << link_;
            link_.clear();
        }
    }
    ~UncShare() {
        if (!link_.empty() && startUnixShell("rm -f '" + link_ + "'")) {
            EXPECT_TRUE(test::eventually([&] { return !reachable(shared("")); }));
        }
    }
    UncShare(const UncShare&) = delete;
    UncShare& operator=(const UncShare&) = delete;

    // False outside wine, where no share can be made this way.
    bool ready() const { return !link_.empty(); }
    std::string shared(const std::string& file) const {
        return "\\\\fileserver\\" + name_ + "\\" + file;
    }
    std::string local(const std::string& file) const { return dir_.file(file); }

private:
    test::TempDir dir_;
    std::string name_;
    std::string link_;
};

TEST(Win32UncPath, ASettingsFileOnAShareIsFoundReadAndWrittenUnderItsLock) {
    UncShare share;
    if (!share.ready())
        GTEST_SKIP() << "no share: this runs under wine only";
    const std::string ini = share.shared("Velmaris.ini");
    EXPECT_TRUE(pathExists(share.shared("")));
    EXPECT_FALSE(pathExists(ini));

    test::writeBytes(share.local("Velmaris.ini"), "[General]\r\n");
    EXPECT_TRUE(pathExists(ini));
    EXPECT_TRUE(fileExists(ini));
    const FileContents read = readWholeFile(ini);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.bytes, "[General]\r\n");

    const auto result = editFile(
        ini,
        [](const std::optional<std::string>& current) {
            return std::optional<std::string>(current.value_or("") + "Sort=Sales\r\n");
        },
        0666);
    EXPECT_EQ(result, EditResult::Written);
    EXPECT_EQ(test::readBytes(share.local("Velmaris.ini")), "[General]\r\nSort=Sales\r\n");
    EXPECT_TRUE(test::fileExists(share.local("Velmaris.ini.lock"))) << "the lock lies beside it";
    EXPECT_FALSE(test::fileExists(share.local("Velmaris.ini.tmp")));
}

} // namespace
} // namespace vm

#endif
