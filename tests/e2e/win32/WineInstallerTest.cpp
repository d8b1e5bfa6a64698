// Velmaris installed from its package as an administrator deploys it to a
// team, under wine: a silent install that names the team's settings file, a
// new user's first start from the Start menu ending in a switch, an upgrade
// that keeps what users have, and an uninstall that leaves nothing of the
// package and everything of theirs.
#include "e2e/road/RoadFixture.h"
#include "e2e/win32/WineSupport.h"

#include "cipher/modEnCrypt.h"
#include "host/com/ComHostConnection.h"
#include "platform/win32/AnsiText.h"

#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kProductKey = "Software\\Velmaris";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string folder(int csidl) {
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string installFolder() {
    return folder(CSIDL_PROGRAM_FILES) + "\\Velmaris";
}
// Where a per-machine package puts its shortcut, and where wine's installer
// puts it instead.
std::vector<std::string> startMenuShortcuts() {
    return {folder(CSIDL_COMMON_PROGRAMS) + "\\Velmaris.lnk",
            folder(CSIDL_PROGRAMS) + "\\Velmaris.lnk"};
}
std::string sharedSettingsFolder() {
    return folder(CSIDL_COMMON_APPDATA) + "\\Velmaris";
}

// The files the package installs, relative to the install folder.
std::vector<std::string> packageFiles() {
    std::vector<std::string> files;
    std::istringstream list(VELMARIS_MSI_FILES);
    for (std::string file; std::getline(list, file, ',');) {
        std::replace(file.begin(), file.end(), '/', '\\');
        files.push_back(file);
    }
    return files;
}

// The manual shows every window it explains in each of its three languages:
// twelve pictures a language.
constexpr std::size_t kManualPictures = 36;

// The image objects of a PDF, which Qt writes uncompressed.
std::size_t picturesIn(const std::string& pdf) {
    std::size_t count = 0;
    const std::string image = "/Subtype /Image";
    for (auto at = pdf.find(image); at != std::string::npos; at = pdf.find(image, at + 1))
        ++count;
    return count;
}

bool exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The program the Start menu's shortcut starts, or empty when there is none.
std::string shortcutTarget() {
    const auto shortcuts = startMenuShortcuts();
    const auto found = std::find_if(shortcuts.begin(), shortcuts.end(), exists);
    if (found == shortcuts.end())
        return {};
    const std::string& shortcut = *found;
    ComApartment apartment;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&link))))
        return {};
    std::wstring target(MAX_PATH, L'\0');
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)))) {
        if (SUCCEEDED(file->Load(win32::toWide(shortcut).value().c_str(), STGM_READ)) &&
            link->GetPath(target.data(), MAX_PATH, nullptr, 0) != S_OK)
            target.clear();
        file->Release();
    }
    link->Release();
    return win32::fromWide(target.c_str());
}

// A machine-wide text value, as a 64-bit program reads it.
std::optional<std::string> machineValue(const std::string& key, const std::string& name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(value);
}

bool machineKeyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &opened) !=
        ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

// What Add/Remove Programs shows of each installed Velmaris: its version.
std::vector<std::string> listedVersions() {
    std::vector<std::string> versions;
    HKEY uninstall = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY,
                        &uninstall) != ERROR_SUCCESS)
        return versions;
    char name[256];
    for (DWORD i = 0, size = sizeof name;
         ::RegEnumKeyExA(uninstall, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
         ++i, size = sizeof name) {
        const std::string entry = std::string(kUninstallKey) + "\\" + name;
        if (machineValue(entry, "DisplayName") != "Velmaris")
            continue;
        versions.push_back(machineValue(entry, "DisplayVersion").value_or("?"));
        EXPECT_EQ(machineValue(entry, "Publisher"), "Velmaris");
        char icon[MAX_PATH] = {};
        DWORD iconSize = sizeof icon;
        EXPECT_EQ(::MsiGetProductInfoA(name, "ProductIcon", icon, &iconSize), UINT{ERROR_SUCCESS});
        EXPECT_TRUE(exists(icon)) << "no icon: " << icon;
    }
    ::RegCloseKey(uninstall);
    return versions;
}

class WineInstaller : public RoadFixture {
protected:
    WineInstaller()
        : RoadFixture({.quickSwitchAtStart = false,
                       .windowManager = true,
                       .program = installFolder() + "\\Velmaris.exe"}) {}

    void SetUp() override {
        RoadFixture::SetUp();
        if (IsSkipped())
            return;
        removeEverything();
        // A user who has never started Velmaris on this machine; the list and
        // the logons are the team's.
        ASSERT_TRUE(store().DeleteSetting("Settings"));
    }

    void TearDown() override {
        const bool setUp = !IsSkipped();
        RoadFixture::TearDown();
        if (setUp)
            removeEverything();
    }

    // Runs msiexec as an administrator's script does, silently, and says how
    // long it took.
    DWORD msiexec(const std::string& action, const std::string& package,
                  const std::string& properties = {}) {
        const auto start = std::chrono::steady_clock::now();
        Child run("msiexec " + action + " " + quoted(windowsPath(package)) + " /qn " + properties);
        const std::optional<DWORD> code = run.wait(300s);
        std::cout << "msiexec " << action << " " << package << ": "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                  << " s\n";
        return code.value_or(WAIT_TIMEOUT);
    }

    void expectInstalled(const std::string& version) {
        for (const std::string& file : packageFiles())
            EXPECT_TRUE(exists(installFolder() + "\\" + file)) << file;
        EXPECT_GE(picturesIn(readBytes(installFolder() + "\\Velmaris_manual.pdf")),
                  kManualPictures);
        EXPECT_EQ(shortcutTarget(), program());
        EXPECT_EQ(listedVersions(), std::vector<std::string>{version});
        EXPECT_TRUE(exists(sharedSettingsFolder()));
    }

private:
    // Whatever an earlier run left installed, and the machine's values.
    void removeEverything() {
        msiexec("/x", NEWER_MSI);
        msiexec("/x", OLDER_MSI);
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
        std::error_code ignored;
        std::filesystem::remove_all(sharedSettingsFolder(), ignored);
    }
};

TEST_F(WineInstaller, TheTeamsSettingsFileServesANewUsersFirstStartFromTheStartMenu) {
    ASSERT_EQ(msiexec("/i", OLDER_MSI, "SETTINGSFILE=" + quoted(file("Velmaris.ini"))), 0u);
    expectInstalled(OLDER_VERSION);
    EXPECT_EQ(machineValue(kProductKey, "IniLocation"), file("Velmaris.ini"));

    startHost("start.dbf");
    useProgram(shortcutTarget());
    startVelmaris();
    // The first start asks for the language and shows the team's list; it
    // clears whatever per-user values an older version left, logons too.
    const WindowId picker = windowNamed("Velmaris");
    focus(picker);
    keys({"Return"});
    ::PostMessageA(reinterpret_cast<HWND>(windowNamed("Velmaris", picker)), WM_CLOSE, 0, 0);
    ASSERT_TRUE(velmarisEnds());
    EXPECT_EQ(store().GetSetting("Settings", "Installed"), "1");
    EXPECT_EQ(store().GetSetting("Settings", "IniLocation"), "");

    // The user gives the logon, and the next start switches with it.
    const std::string key(modEnCrypt::kCipherKey);
    ASSERT_TRUE(store().SaveSetting("Support", "Username", "Carol"));
    ASSERT_TRUE(store().SaveSetting("Support", "UsePassword", "1"));
    ASSERT_TRUE(store().SaveSetting("Support", "Password", modEnCrypt::EncryptText("x", key)));
    EXPECT_EQ(loginBySecondRow(), (Args{file("support.dbf"), "Carol", "x"}));
}

TEST_F(WineInstaller, AnUpgradeKeepsWhatUsersHaveAndAnUninstallLeavesNothingOfThePackage) {
    const std::string team = readBytes(file("Velmaris.ini"));
    ASSERT_EQ(msiexec("/i", OLDER_MSI, "SETTINGSFILE=" + quoted(file("Velmaris.ini"))), 0u);
    ASSERT_TRUE(store().SaveSetting("Settings", "Installed", "1"));
    // A settings file that users of the machine share in its folder.
    const std::string shared = sharedSettingsFolder() + "\\Velmaris.ini";
    writeBytes(shared, "[General]\r\nSort=\r\n");

    // The newer package replaces the older one and keeps the team's file.
    ASSERT_EQ(msiexec("/i", NEWER_MSI), 0u);
    expectInstalled(NEWER_VERSION);
    EXPECT_EQ(machineValue(kProductKey, "IniLocation"), file("Velmaris.ini"));

    ASSERT_EQ(msiexec("/x", NEWER_MSI), 0u);
    for (const std::string& file : packageFiles())
        EXPECT_FALSE(exists(installFolder() + "\\" + file)) << file;
    for (const std::string& shortcut : startMenuShortcuts())
        EXPECT_FALSE(exists(shortcut)) << shortcut;
    EXPECT_EQ(listedVersions(), std::vector<std::string>{});
    EXPECT_FALSE(machineKeyExists(kProductKey));
    // Nothing of the users': their own values, the team's file, the shared one.
    EXPECT_EQ(store().GetSetting("Settings", "Installed"), "1");
    EXPECT_EQ(store().GetSetting("Support", "Username"), "Carol");
    EXPECT_EQ(readBytes(file("Velmaris.ini")), team);
    EXPECT_EQ(readBytes(shared), "[General]\r\nSort=\r\n");
}

} // namespace
} // namespace vm::test
