#pragma once

#include "host/dbus/DBusHostConnection.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "platform/SingleInstance.h"
#include "platform/qt/QtShell.h"
#include "settings/PerUserStore.h"
#include "settings/RegistrySubs.h"

#include "ChildProcess.h"
#include "TestSupport.h"

#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vm {
class frmMain;
}

namespace vm::test {

// The virtual screen every switch runs on.
const std::string& testDisplay();

// The arguments of a journal entry, as text.
QStringList args(const QJsonObject& entry);
// The arguments of the last entry; none when there is none. Of a login:
// database path, name, password.
QStringList lastArgs(const std::vector<QJsonObject>& logins);

// A fresh user on a fresh stand-in host: per-user store, host registry and
// the host's folders in a temporary folder, the host's journal switched on,
// and a settings file listing the test databases:
//   Sales         users Alice/wonderland, Bob/builder; a macro and twelve locations
//   Support       users Carol/helpdesk
//   Contacts      no users
//   International user "Zoë Ångström" with password "pässwörd€ +%^~{}"
class SwitchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The database's logon in the per-user store, password enciphered.
    void giveLogon(const std::string& database, const std::string& user,
                   const std::string& password, bool usePassword);
    enum class Gesture { OpenButton, DoubleClick };
    // Starts Velmaris's main window, runs `loaded` on it, checks the view
    // and opens the database with the gesture. Returns once Velmaris has
    // ended or gone back to its list; the messages it showed are in
    // `prompter`.
    void openInVelmaris(const std::string& database, int view,
                        Gesture gesture = Gesture::OpenButton,
                        const std::function<void(frmMain&)>& loaded = {});
    bool velmarisEnded() const { return ended_; }

    // The journal's entries for one member, in order.
    std::vector<QJsonObject> journal(const QString& member) const;
    std::string registryValue(const std::string& key, const std::string& name) const;
    // Waits until no logon companion runs; false when one still runs then.
    bool logonEnded(std::chrono::milliseconds timeout) const;
    // The stand-in host with a database open, `start.dbf` unless named.
    void startHost(const std::string& database = {});
    void stopHost();

    std::string file(const std::string& name) const { return dir_.file(name); }

    CapturedReports reports;
    RecordingPrompter& prompter = reports.prompter;
    std::unique_ptr<PerUserStore> store;
    LangTable lang;

private:
    TempDir dir_;
    std::unique_ptr<ChildProcess> host_;
    bool ended_ = false;
};

} // namespace vm::test
