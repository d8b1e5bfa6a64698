#ifndef _WIN32

#include "platform/posix/UniqueFd.h"
#include "settings/IniLib.h"
#include "settings/PerUserStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsers[] = {"vmshare1", "vmshare2"};

const passwd& account(const char* user) {
    return *::getpwnam(user);
}

// Why the two accounts cannot be had, or empty when they are ready. They are
// made once per machine and left there, which is harmless.
std::string prepareAccounts() {
    if (::geteuid() != 0)
        return "acting as two users needs root";
    if (std::system("for t in useradd groupadd setpriv timeout; do command -v $t >/dev/null || "
                    "exit 1; done") != 0)
        return "useradd, groupadd, setpriv or timeout is missing";
    // Test programs run side by side; their account changes must not.
    UniqueFd guard(::open((fs::temp_directory_path() / "velmaris-test-accounts.lock").c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!guard.ok() || ::flock(guard.get(), LOCK_EX) != 0)
        return "the account set-up cannot be serialised";
    if (std::system("groupadd -f vmshare && for u in vmshare1 vmshare2; do id $u >/dev/null 2>&1 "
                    "|| useradd -M -s /usr/sbin/nologin -G vmshare $u; id -nG $u | grep -qw "
                    "vmshare || exit 1; done") != 0)
        return "vmshare1 and vmshare2 could not be made members of group vmshare";
    return {};
}

class SharedFolder : public testing::Test {
protected:
    void SetUp() override {
        const std::string unusable = prepareAccounts();
        if (!unusable.empty())
            GTEST_SKIP() << unusable;
        group_ = ::getgrnam("vmshare")->gr_gid;
        std::string root = (fs::temp_directory_path() / "vm-shared-XXXXXX").string();
        ASSERT_NE(::mkdtemp(root.data()), nullptr);
        root_ = root;
        // The common default, under which a new file is not group-writable.
        savedUmask_ = ::umask(022);
        // Every user must reach the writer, and the build folder may not let them.
        ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
        fs::copy_file(VM_SHARED_INI_WRITER, root_ / "writer");
        shared_ = root_ / "shared";
        makeFolder(shared_, 0, group_, 02775);
    }
    void TearDown() override {
        if (root_.empty())
            return;
        ::umask(savedUmask_);
        fs::remove_all(root_);
    }

    static void makeFolder(const fs::path& path, uid_t owner, gid_t group, mode_t mode) {
        fs::create_directory(path);
        shape(path, owner, group, mode);
    }
    static void makeEmptyFile(const fs::path& path, uid_t owner, gid_t group, mode_t mode) {
        test::writeBytes(path, "");
        shape(path, owner, group, mode);
    }
    static void shape(const fs::path& path, uid_t owner, gid_t group, mode_t mode) {
        ASSERT_TRUE(::chown(path.c_str(), owner, group) == 0 && ::chmod(path.c_str(), mode) == 0)
            << path;
    }

    // The command that runs the writer as `user`; it sets each "key=value"
    // in section Team, and fails when any write is refused.
    std::string writer(const char* user, const fs::path& file,
                       const std::vector<std::string>& assignments) const {
        // timeout ends a writer that hangs on a lock instead of the test.
        std::string command =
            "timeout 120 setpriv --reuid=" + std::to_string(account(user).pw_uid) +
            " --regid=" + std::to_string(account(user).pw_gid) + " --init-groups " +
            (root_ / "writer").string() + " '" + file.string() + "' Team";
        for (const std::string& assignment : assignments)
            command += " " + assignment;
        return command;
    }
    bool writeAs(const char* user, const fs::path& file, const std::string& assignment) const {
        return std::system(writer(user, file, {assignment}).c_str()) == 0;
    }

    // Each user sets 200 keys of its own at the same time, through its own
    // name for the file.
    void expectConcurrentWritesLand(const fs::path (&files)[2], const std::string& round) const {
        constexpr int kKeys = 200;
        std::vector<std::string> keys[2];
        std::future<bool> writers[2];
        for (int u = 0; u < 2; ++u) {
            std::vector<std::string> assignments;
            for (int k = 0; k < kKeys; ++k) {
                keys[u].push_back(round + kUsers[u] + "_" + std::to_string(k));
                assignments.push_back(keys[u].back() + "=" + std::to_string(k));
            }
            writers[u] = std::async(std::launch::async,
                                    [command = writer(kUsers[u], files[u], assignments)] {
                                        return std::system(command.c_str()) == 0;
                                    });
        }
        for (int u = 0; u < 2; ++u) {
            EXPECT_TRUE(writers[u].get()) << kUsers[u] << " had writes refused in " << round;
            const std::vector<std::string> values =
                IniLib().GetKeyValues("Team", keys[u], files[0]);
            for (int k = 0; k < kKeys; ++k)
                ASSERT_EQ(values[k], std::to_string(k)) << keys[u][k] << " lost";
        }
    }

    static struct stat statOf(const fs::path& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st;
    }
    static std::string valueOf(const fs::path& file, const std::string& key) {
        return IniLib().GetKeyValue("Team", key, "", file);
    }

    fs::path root_;
    fs::path shared_;
    gid_t group_ = 0;
    mode_t savedUmask_ = 022;
};

TEST_F(SharedFolder, BothUsersWritingAtOnceLoseNothing) {
    const fs::path file = shared_ / "Velmaris.ini";
    // Made group-writable once; the users' umask would not make it so.
    makeEmptyFile(file, account(kUsers[0]).pw_uid, group_, 0664);
    expectConcurrentWritesLand({file, file}, "fresh");
    // A lock file that the users may only read still serialises them.
    fs::remove(file.string() + ".lock");
    makeEmptyFile(file.string() + ".lock", 0, 0, 0644);
    expectConcurrentWritesLand({file, file}, "readonlylock");
}

TEST_F(SharedFolder, WritesKeepGroupModeAndAPrivateFilesOwner) {
    const fs::path file = shared_ / "Velmaris.ini";
    makeEmptyFile(file, account(kUsers[0]).pw_uid, group_, 0660);
    ASSERT_TRUE(writeAs(kUsers[1], file, "a=1"));
    ASSERT_TRUE(writeAs(kUsers[0], file, "b=2"));
    EXPECT_EQ(valueOf(file, "a") + valueOf(file, "b"), "12");
    EXPECT_EQ(statOf(file).st_gid, group_);
    EXPECT_EQ(statOf(file).st_mode & 07777, 0660u);

    // The writer is not in the file's group, so no new file can carry it.
    const fs::path foreign = shared_ / "Foreign.ini";
    makeEmptyFile(foreign, 0, 0, 0666);
    ASSERT_TRUE(writeAs(kUsers[0], foreign, "c=3"));
    EXPECT_EQ(valueOf(foreign, "c"), "3");
    EXPECT_EQ(statOf(foreign).st_uid, 0u);
    EXPECT_EQ(statOf(foreign).st_gid, 0u);
    EXPECT_EQ(statOf(foreign).st_mode & 07777, 0666u);

    const fs::path privateStore = shared_ / "private.conf";
    makeEmptyFile(privateStore, account(kUsers[0]).pw_uid, account(kUsers[0]).pw_gid, 0600);
    ASSERT_TRUE(FilePerUserStore::atPath(privateStore).SaveSetting("Logon", "User", "x"));
    EXPECT_EQ(statOf(privateStore).st_uid, account(kUsers[0]).pw_uid);
    EXPECT_EQ(statOf(privateStore).st_mode & 07777, 0600u);
}

TEST_F(SharedFolder, ALinkedFileChangesItsTargetAndStaysALink) {
    const fs::path target = shared_ / "Velmaris.ini";
    makeEmptyFile(target, account(kUsers[0]).pw_uid, group_, 0664);
    const fs::path home = root_ / "home";
    makeFolder(home, account(kUsers[1]).pw_uid, account(kUsers[1]).pw_gid, 0700);
    const fs::path link = home / "Velmaris.ini";
    fs::create_symlink("../shared/Velmaris.ini", link);
    // One user through the link, the other by the file's own name: one lock.
    expectConcurrentWritesLand({target, link}, "linked");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(statOf(target).st_mode & 07777, 0664u);
}

TEST_F(SharedFolder, AFileInAFolderClosedToTheWritersIsWrittenInPlace) {
    const fs::path closed = root_ / "closed";
    makeFolder(closed, 0, 0, 0755);
    const fs::path file = closed / "Velmaris.ini";
    makeEmptyFile(file, 0, group_, 0664);
    const ino_t inode = statOf(file).st_ino;
    // No lock file can be made there, so the file itself is locked.
    expectConcurrentWritesLand({file, file}, "inplace");
    EXPECT_EQ(statOf(file).st_ino, inode);
}

} // namespace
} // namespace vm

#endif
