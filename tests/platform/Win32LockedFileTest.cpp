#ifdef _WIN32

#include "platform/LockedFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

namespace vm {
namespace {

using namespace std::chrono_literals;

TEST(Win32LockedFile, ALockHeldTooLongFailsAWriteAndChangesNothing) {
    test::TempDir dir;
    const std::string path = dir.file("Velmaris.ini");
    test::writeBytes(path, "[General]\r\n");
    const HANDLE hung =
        ::CreateFileA((path + ".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    OVERLAPPED whole{};
    ASSERT_TRUE(::LockFileEx(hung, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
    const auto patience = lockPatience();
    setLockPatience(300ms);
    const auto start = std::chrono::steady_clock::now();
    std::string problem;
    const auto result = editFile(
        path, [](const std::optional<std::string>&) { return std::optional<std::string>("x"); },
        0666, &problem);
    const auto waited = std::chrono::steady_clock::now() - start;
    setLockPatience(patience);
    ::CloseHandle(hung);
    EXPECT_EQ(result, EditResult::Failed);
    EXPECT_EQ(problem, "another program has kept it locked for too long");
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 20s);
    EXPECT_EQ(test::readBytes(path), "[General]\r\n");
}

TEST(Win32LockedFile, AWriteWaitsForAReaderThatHoldsTheFileOpenAndReplacesIt) {
    test::TempDir dir;
    const std::string path = dir.file("Velmaris.ini");
    test::writeBytes(path, "[General]\r\n");
    // Opened as this program's own readers open it, and as another user's
    // Velmaris reading the shared file does.
    const HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::atomic<bool> editing = false;
    std::thread closer([&] {
        while (!editing)
            std::this_thread::yield();
        std::this_thread::sleep_for(200ms);
        ::CloseHandle(reader);
    });
    const auto result = editFile(path, [&](const std::optional<std::string>&) {
        editing = true;
        return std::optional<std::string>("[General]\r\nSort=Sales\r\n");
    });
    closer.join();
    EXPECT_EQ(result, EditResult::Written);
    EXPECT_EQ(test::readBytes(path), "[General]\r\nSort=Sales\r\n");
}

} // namespace
} // namespace vm

#endif
