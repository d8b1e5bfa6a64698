#ifndef _WIN32

#include "platform/LockedFile.h"
#include "platform/posix/FileLock.h"
#include "platform/posix/UniqueFd.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::optional<std::string> addLine(const std::optional<std::string>& current) {
    return current.value_or("") + "Key=1\r\n";
}

TEST(LockedFile, AnythingButARegularFileIsRefusedUnopenedAndWithoutALock) {
    test::TempDir dir;
    const std::string fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a FIFO for reading would wait for a writer for ever.
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.file("")}) {
        const FileContents read = readWholeFile(path);
        EXPECT_EQ(read.status, ReadStatus::Failed) << path;
        EXPECT_EQ(read.problem, "it is not a regular file") << path;
        std::string problem;
        EXPECT_EQ(editFile(path, addLine, 0666, &problem), EditResult::Failed) << path;
        EXPECT_EQ(problem, "it is not a regular file") << path;
    }
    EXPECT_FALSE(fs::exists(fifo + ".lock"));
    const bool strayLock = fs::exists("/dev/zero.lock");
    if (strayLock)
        fs::remove("/dev/zero.lock");
    EXPECT_FALSE(strayLock);
}

TEST(LockedFile, AFileBeyondTheLimitIsNeitherReadNorWritten) {
    test::TempDir dir;
    const std::string path = dir.file("huge.ini");
    {
        const UniqueFd file(::open(path.c_str(), O_CREAT | O_WRONLY, 0644));
        // Sparse: no disk is spent on it.
        ASSERT_EQ(::ftruncate(file.get(), kLargestSettingsFile + 1), 0);
    }
    EXPECT_EQ(readWholeFile(path).status, ReadStatus::Failed);
    std::string problem;
    EXPECT_EQ(editFile(path, addLine, 0666, &problem), EditResult::Failed);
    EXPECT_EQ(problem, "it is larger than 64 MB");
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(kLargestSettingsFile + 1));
}

TEST(LockedFile, ADeadWritersTemporaryFileGoesAtTheNextWrite) {
    test::TempDir dir;
    const std::string path = dir.file("Velmaris.conf");
    test::writeBytes(dir.file(".Velmaris.conf.tmp-AbC123"), "[Logon]\r\nPassword=x\r\n");
    test::writeBytes(dir.file(".Other.conf.tmp-AbC123"), "not ours");
    ASSERT_EQ(editFile(path, addLine, 0600), EditResult::Written);
    EXPECT_FALSE(fs::exists(dir.file(".Velmaris.conf.tmp-AbC123")));
    EXPECT_TRUE(fs::exists(dir.file(".Other.conf.tmp-AbC123")));
    EXPECT_EQ(test::readBytes(path), "Key=1\r\n");
}

TEST(LockedFile, ALockHeldTooLongFailsAWriteButNotARead) {
    test::TempDir dir;
    const std::string path = dir.file("Velmaris.ini");
    test::writeBytes(path, "[General]\r\n");
    const UniqueFd hung(::open((path + ".lock").c_str(), O_CREAT | O_RDWR, 0644));
    ASSERT_EQ(::flock(hung.get(), LOCK_EX), 0);
    const auto patience = lockPatience();
    setLockPatience(300ms);
    const auto start = std::chrono::steady_clock::now();
    std::string problem;
    EXPECT_EQ(editFile(path, addLine, 0666, &problem), EditResult::Failed);
    EXPECT_EQ(problem, "another program has kept it locked for too long");
    EXPECT_EQ(readWholeFile(path).bytes, "[General]\r\n");
    const auto waited = std::chrono::steady_clock::now() - start;
    setLockPatience(patience);
    EXPECT_GE(waited, 600ms);
    EXPECT_LT(waited, 20s);
    EXPECT_EQ(test::readBytes(path), "[General]\r\n");
}

} // namespace
} // namespace vm

#endif
