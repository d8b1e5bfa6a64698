// Points a user who has configured nothing yet at the demo settings file,
// and gives the demo databases their logon, so that a first run of Velmaris
// shows a real switch. Anything already configured is left alone.

#include "cipher/modEnCrypt.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <cstdio>
#include <string>

namespace {

struct DemoLogon {
    const char* database;
    const char* username;
    const char* password;
    const char* usePassword;
};

// The users the demo host databases know.
constexpr DemoLogon kDemoLogons[] = {
    {"Sales Team", "Alice", "wonderland", "1"},
    {"Support Desk", "Dave", "", "0"},
};

} // namespace

int main(int argc, char* argv[]) {
    using namespace vm;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <demo settings file>\n", argv[0]);
        return 2;
    }
    const auto store = openPerUserStore(schema::kApplicationName);
    if (!store->GetSetting(schema::kSettings, schema::kIniLocation).empty())
        return 0;
    bool ok = store->SaveSetting(schema::kSettings, schema::kIniLocation, argv[1]);
    // Without a version the first start takes the store for one older than
    // 2.0 and wipes it, this setup included. The language is still asked
    // for: a first run is told by `Installed`, which is left alone.
    if (store->GetSetting(schema::kSettings, schema::kVersion).empty())
        ok = ok &&
             store->SaveSetting(schema::kSettings, schema::kVersion, schema::programVersionText());
    for (const DemoLogon& logon : kDemoLogons) {
        if (!store->GetSetting(logon.database, schema::kUsername).empty())
            continue;
        ok = ok && store->SaveSetting(logon.database, schema::kUsername, logon.username) &&
             store->SaveSetting(logon.database, schema::kUsePassword, logon.usePassword) &&
             store->SaveSetting(
                 logon.database, schema::kPassword,
                 modEnCrypt::EncryptText(logon.password, std::string(modEnCrypt::kCipherKey)));
    }
    if (!ok) {
        std::fprintf(stderr, "demo-setup: the per-user settings could not be written\n");
        return 1;
    }
    std::printf("Velmaris now uses the demo list %s\n", argv[1]);
    return 0;
}
